#include "VXJobCreateViewController.h"

#include <QComboBox>
#include <QLineEdit>

#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "OvSettingGridView.h"
#include "ScanButton.h"
#include "ToolbarButton.h"
#include "ui_JobCreate.h"

namespace {
QString localized(const char* key)
{
    return QString::fromStdString(LocalizedStrings::text(key));
}

void fill(QComboBox* list, std::initializer_list<const char*> keys)
{
    list->clear();
    for (const char* key : keys) {
        list->addItem(localized(key));
    }
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
}

void VXJobCreateViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXJobCreateViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    closebutton->setFocus(Qt::OtherFocusReason);
}

void VXJobCreateViewController::InitLanguage()
{
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
    scanbutton->setText(localized("RegistJob"));
}

void VXJobCreateViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("goback", this));
}
