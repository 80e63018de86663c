#include "VXJobCreateViewController.h"

#include <QComboBox>
#include <QLineEdit>

#include "AlertPanel.h"
#include "FwkUtilsMethod.h"
#include "JobList.h"
#include "JobStoreMessage.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "OvSettingGridView.h"
#include "ScanButton.h"
#include "ToolbarButton.h"
#include "ui_JobCreate.h"

namespace {
void fill(QComboBox* list, std::initializer_list<const char*> keys)
{
    list->clear();
    for (const char* key : keys) {
        list->addItem(localized(key));
    }
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}
} // namespace

VXJobCreateViewController::VXJobCreateViewController(QWidget* parent) : VXViewController(parent) {}

VXJobCreateViewController::~VXJobCreateViewController()
{
    delete mUi;
}

void VXJobCreateViewController::loadView()
{
    mUi = new Ui::VXJobCreateViewController;
    mUi->setupUi(this);
    labelBackPage = mUi->labelBackPage;
    labelJobNumber = mUi->labelJobNumber;
    labelJob = mUi->labelJob;
    jobnametextfield = mUi->jobnametextfield;
    labelScanSettings = mUi->labelScanSettings;
    createView = mUi->createView;
    labelColorMode = mUi->labelColorMode;
    colormodepopupbutton = mUi->colormodepopupbutton;
    labelPaperSize = mUi->labelPaperSize;
    papersizepopupbutton = mUi->papersizepopupbutton;
    labelResolution = mUi->labelResolution;
    resolutionpopupbutton = mUi->resolutionpopupbutton;
    labelReadingSurface = mUi->labelReadingSurface;
    readingsurfacepopupbutton = mUi->readingsurfacepopupbutton;
    labelFileFormat = mUi->labelFileFormat;
    fileformatpopupbutton = mUi->fileformatpopupbutton;
    labelSendSetting = mUi->labelSendSetting;
    labelUser = mUi->labelUser;
    usernametextfield = mUi->usernametextfield;
    labelPassword = mUi->labelPassword;
    passwordtextfield = mUi->passwordtextfield;
    labelSendPath = mUi->labelSendPath;
    sendpathtextfield = mUi->sendpathtextfield;
    scanbutton = mUi->scanbutton;
    closebutton = mUi->closebutton;
    connect(closebutton, &QPushButton::clicked, this, [this] { goback(closebutton); });
    backOnEscape(closebutton);
    connect(scanbutton, &QPushButton::clicked, this, [this] { registerjob(scanbutton); });
}

void VXJobCreateViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    mMode = 0;
    mjobNo.clear();
    InitLanguage();
    // The whole screen, the settings panel included: nothing else mirrors its
    // captions and fields.
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXJobCreateViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    closebutton->setFocus(Qt::OtherFocusReason);
}

void VXJobCreateViewController::InitLanguage()
{
    setWindowTitle(localized("ScreenJobEditor"));
    labelBackPage->setText(localized("Back"));
    labelJob->setText(localized("LabelJob"));
    labelScanSettings->setText(localized("LabelScanSettings"));
    labelColorMode->setText(localized("ColorMode"));
    fill(colormodepopupbutton, {"Color", "Gray", "Monochrome"});
    labelPaperSize->setText(localized("PaperSize"));
    fill(papersizepopupbutton, {"Auto", "Letter", "A4"});
    labelResolution->setText(localized("Resolution"));
    fill(resolutionpopupbutton, {"Dpi150", "Dpi200", "Dpi240", "Dpi300"});
    labelReadingSurface->setText(localized("ReadingSurface"));
    fill(readingsurfacepopupbutton, {"SkipWhite", "SingleSide", "BothSide"});
    labelFileFormat->setText(localized("FileFormat"));
    fill(fileformatpopupbutton, {"Pdf", "PdfOcr", "Jpeg", "Tiff"});
    labelSendSetting->setText(localized("SendSetting"));
    labelUser->setText(localized("LabelUser"));
    labelPassword->setText(localized("LabelPassword"));
    labelSendPath->setText(localized("LabelSendPath"));
    // It stores the job here; "Register" is the word of the screens that talk to scanners.
    scanbutton->setText(localized("CreateJob"));
}

void VXJobCreateViewController::setRepresentedObject(const RepresentedObject& object)
{
    VXViewController::setRepresentedObject(object);
    if (!object) {
        return;
    }
    if (const auto job = representedRecord<SettingData>(object, "addjob")) {
        takeOver(*job, 0);
    }
    if (const auto job = representedRecord<SettingData>(object, "editjob")) {
        takeOver(*job, 1);
    }
}

void VXJobCreateViewController::takeOver(const SettingData& job, int64_t mode)
{
    mMode = mode;
    mjobNo = job.jobNo().value_or(std::string());
    jobnametextfield->setText(text(job.jobName()));
    colormodepopupbutton->setCurrentIndex(static_cast<int>(job.colorMode()));
    papersizepopupbutton->setCurrentIndex(static_cast<int>(job.paperSize()));
    resolutionpopupbutton->setCurrentIndex(static_cast<int>(job.resolution()));
    readingsurfacepopupbutton->setCurrentIndex(static_cast<int>(job.readingSurface()));
    fileformatpopupbutton->setCurrentIndex(static_cast<int>(job.fileFormat()));
    const auto destination = job.sendSetting();
    usernametextfield->setText(destination ? text(destination->userName()) : QString());
    passwordtextfield->setText(destination ? text(destination->password()) : QString());
    sendpathtextfield->setText(destination ? text(destination->sendPath()) : QString());
    labelJobNumber->setText(QString::fromStdString(LocalizedStrings::format("TitleEditorJob", {mjobNo})));
    scanbutton->setText(localized(mode == 1 ? "SaveJob" : "CreateJob"));
}

bool VXJobCreateViewController::Check(const SettingData& job)
{
    return JobValidator::Check(job);
}

void VXJobCreateViewController::registerjob(QAbstractButton*)
{
    // A fresh record: an edited job keeps its number, and the destination type
    // goes back to the shared folder, for which the editor has its fields.
    auto job = std::make_shared<SettingData>();
    job->setJobNo(mjobNo);
    job->setJobName(jobnametextfield->text().toStdString());
    job->setColorMode(colormodepopupbutton->currentIndex());
    job->setPaperSize(papersizepopupbutton->currentIndex());
    job->setResolution(resolutionpopupbutton->currentIndex());
    job->setReadingSurface(readingsurfacepopupbutton->currentIndex());
    job->setFileFormat(fileformatpopupbutton->currentIndex());
    job->sendSetting()->setUserName(usernametextfield->text().toStdString());
    job->sendSetting()->setPassword(passwordtextfield->text().toStdString());
    job->sendSetting()->setSendPath(sendpathtextfield->text().toStdString());
    if (!Check(*job)) {
        return;
    }
    // Stored first, so that the job list only ever shows what the store holds:
    // a job that could not be saved stays here with everything typed, and the
    // user is told why.
    if (const StoreOutcome outcome = SettingData::SaveSettingsWithOutcome(job); !outcome.succeeded()) {
        AlertPanel::showMessage(JobStoreMessage::saveFailed(job->jobNo().value_or(""), outcome));
        return;
    }
    const std::string key = mMode == 1 ? "editjob" : "addjob";
    // The list shows the job as the store gives it back (names and paths lose
    // blanks at their ends there), as it will after the next start.
    const auto stored = SettingData::ReadSettings(JobList::integerValue(job->jobNo()));
    transition(CustomSegue(key, this, CustomSegue::entry(key, stored)));
}

void VXJobCreateViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("goback", this));
}
