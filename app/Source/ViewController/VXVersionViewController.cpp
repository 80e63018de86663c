#include "VXVersionViewController.h"

#include "CustomButton.h"
#include "FwkUtilsMethod.h"
#include "InfoDictionary.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "ProgressWindowPresenter.h"
#include "ScanerVersionView.h"
#include "ToolbarButton.h"
#include "ui_ScanerVersion.h"

VXVersionViewController::VXVersionViewController(QWidget* parent) : VXViewController(parent) {}

VXVersionViewController::~VXVersionViewController()
{
    delete mUi;
}

void VXVersionViewController::loadView()
{
    mUi = new Ui::VXVersionViewController;
    mUi->setupUi(this);
    labelSendJobAllScanner = mUi->labelSendJobAllScanner;
    btnRegistJobToScanner = mUi->btnRegistJobToScanner;
    labelVersionInfo = mUi->labelVersionInfo;
    labelVersion = mUi->labelVersion;
    version = mUi->version;
    labelCopyright = mUi->labelCopyright;
    copyright = mUi->copyright;
    closebutton = mUi->closebutton;
    versionView = mUi->versionView;
    connect(btnRegistJobToScanner, &QPushButton::clicked, this, [this] { copyjob(btnRegistJobToScanner); });
    connect(closebutton, &QPushButton::clicked, this, [this] { goback(closebutton); });
    backOnEscape(closebutton);
}

void VXVersionViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    InitLanguage();
}

void VXVersionViewController::InitLanguage()
{
    setWindowTitle(localized("ScreenVersion"));
    labelSendJobAllScanner->setText(localized("LabelSendJobAllScanner"));
    btnRegistJobToScanner->setText(localized("TextSendJobAllScanner"));
    labelVersionInfo->setText(localized("LabelVersionInfo"));
    labelVersion->setText(localized("TextVersion"));
    version->setText(QString::fromStdString(InfoDictionary::objectForKey("CFBundleShortVersionString").value_or("")));
    labelCopyright->setText(localized("TextCopyright"));
    copyright->setText(QString::fromStdString(InfoDictionary::objectForKey("NSHumanReadableCopyright").value_or("")));
}

void VXVersionViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    closebutton->setFocus(Qt::OtherFocusReason);
    layoutWindowContent();
}

void VXVersionViewController::layoutWindowContent()
{
    // The screen is mirrored while it is shown and put back as it leaves: each
    // call of the pass over the same views turns them around once more.
    QWidget* window = versionView->window();
    if (window && window != this) {
        FwkUtilsMethod::layoutLeftToRight(ProgressWindowPresenter::contentView(window));
    }
}

void VXVersionViewController::copyjob(QAbstractButton* sender)
{
    leave(sender, "copyjob");
}

void VXVersionViewController::goback(QAbstractButton* sender)
{
    leave(sender, "goback");
}

void VXVersionViewController::leave(QAbstractButton* sender, const char* identifier)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    const CustomSegue segue(identifier, this);
    layoutWindowContent();
    transition(segue);
}
