#include "JobBundleMenu.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "AlertPanel.h"
#include "FWKVXSDK/InstallableHook.h"
#include "FWKVXSDK/SettingData.h"
#include "FwkUtilsMethod.h"
#include "JobBundleTransfer.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "WindowTitle.h"

namespace {
using Audience = JobBundleTransfer::Audience;

InstallableHook<QString(JobBundleMenu::Purpose)>& fileChooser()
{
    static InstallableHook<QString(JobBundleMenu::Purpose)> chooser;
    return chooser;
}

QString chooseFile(QWidget* parent, JobBundleMenu::Purpose purpose)
{
    if (const auto chooser = fileChooser().current()) {
        return chooser(purpose);
    }
    const bool exporting = purpose == JobBundleMenu::Purpose::Export;
    QFileDialog dialog(parent, QString(), QDir::homePath());
    WindowTitle::set(&dialog, localized(exporting ? "DialogExportJobs" : "DialogImportJobs"));
    dialog.setNameFilters({localized("BundleFileFilter"), localized("AllFilesFilter")});
    dialog.setAcceptMode(exporting ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(exporting ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (exporting) {
        dialog.setDefaultSuffix(QStringLiteral("json"));
        dialog.selectFile(QStringLiteral("jobs.json"));
    }
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        dialog.setLayoutDirection(Qt::RightToLeft);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

void tell(const JobBundleTransfer::Outcome& outcome)
{
    std::string text = outcome.message;
    for (const auto& note : outcome.notes) {
        text += "\n\n" + note;
    }
    AlertPanel::showMessage(text);
}
} // namespace

void JobBundleMenu::setFileChooser(FileChooser chooser)
{
    fileChooser().install(std::move(chooser));
}

void JobBundleMenu::exportJobs(QWidget* parent)
{
    const QString path = chooseFile(parent, Purpose::Export);
    if (path.isEmpty()) {
        return;
    }
    bool withPasswords = false;
    if (JobBundleTransfer::anySharePassword()) {
        const int choice = AlertPanel::choose(LocalizedStrings::text("QuestionExportPasswords"),
                                              {LocalizedStrings::text("ButtonWithoutPasswords"),
                                               LocalizedStrings::text("ButtonWithPasswords")});
        if (choice < 0) {
            return;
        }
        withPasswords = choice == 1;
    }
    tell(JobBundleTransfer::exportJobs(QFile::encodeName(path).toStdString(), withPasswords, Audience::Application));
}

bool JobBundleMenu::importJobs(QWidget* parent)
{
    const QString path = chooseFile(parent, Purpose::Import);
    if (path.isEmpty()) {
        return false;
    }
    bool replace = false;
    if (!SettingData::GetFileListNo().empty()) {
        const int choice = AlertPanel::choose(
            LocalizedStrings::text("QuestionImportReplace"),
            {LocalizedStrings::text("ButtonAddJobs"), LocalizedStrings::text("ButtonReplaceJobs")});
        if (choice < 0) {
            return false;
        }
        replace = choice == 1;
    }
    tell(JobBundleTransfer::importJobs(QFile::encodeName(path).toStdString(), replace, Audience::Application));
    return true;
}
