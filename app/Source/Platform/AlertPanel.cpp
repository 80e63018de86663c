#include "AlertPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "ApplicationWindows.h"
#include "FWKVXSDK/InstallableHook.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"

namespace {
constexpr int kMinimumWidth = 340;

InstallableHook<bool(const MessageAlert&, const std::string&)>& questionHandler()
{
    static InstallableHook<bool(const MessageAlert&, const std::string&)> handler;
    return handler;
}

// Runs the box on the main thread; a box that cannot be shown any more (the
// program is ending) counts as dismissed with its last button.
bool runBox(const MessageAlert& alert, const std::string* cancelTitle)
{
    bool accepted = false;
    MainThreadDispatcher::RunAndWait([&] {
        QMessageBox box(ApplicationWindows::mainWindow());
        box.setWindowTitle(QGuiApplication::applicationDisplayName());
        box.setIcon(QMessageBox::NoIcon);
        box.setText(QString::fromStdString(alert.headline));
        box.setInformativeText(QString::fromStdString(alert.informativeText));
        if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
            box.setLayoutDirection(Qt::RightToLeft);
        }
        QPushButton* ok = box.addButton(QString::fromStdString(alert.buttonTitle), QMessageBox::AcceptRole);
        if (cancelTitle) {
            QPushButton* cancel = box.addButton(QString::fromStdString(*cancelTitle), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        }
        box.setDefaultButton(ok);
        // Without a headline Qt makes the box as narrow as its shortest line
        // allows, wrapping even a short message.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            grid->addItem(new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
        box.exec();
        accepted = box.clickedButton() == ok;
    });
    return accepted;
}
} // namespace

void AlertPanel::installAsPresenter()
{
    MessagePresenter::install([](const MessageAlert& alert) { runBox(alert, nullptr); });
}

void AlertPanel::showMessage(const std::string& informativeText)
{
    MessagePresenter::present(informativeText);
}

bool AlertPanel::askOkCancel(const std::string& informativeText)
{
    const MessageAlert alert{LocalizedStrings::text(""), informativeText, LocalizedStrings::text("OK")};
    const std::string cancel = LocalizedStrings::text("Cancel");
    if (const auto handler = questionHandler().current()) {
        return handler(alert, cancel);
    }
    return runBox(alert, &cancel);
}

void AlertPanel::setQuestionHandler(Question handler)
{
    questionHandler().install(std::move(handler));
}
