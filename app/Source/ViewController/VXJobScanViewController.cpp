#include "VXJobScanViewController.h"

#include "CustomButton.h"
#include "JobCollectionView.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "ScanButton.h"
#include "ScanerSelectButton.h"
#include "ToolbarButton.h"
#include "WindowController.h"
#include "ui_JobScan.h"

namespace {
QString localized(const char* key)
{
    return QString::fromStdString(LocalizedStrings::text(key));
}
} // namespace

VXJobScanViewController::VXJobScanViewController(QWidget* parent) : VXViewController(parent) {}

VXJobScanViewController::~VXJobScanViewController()
{
    delete mUi;
}

void VXJobScanViewController::loadView()
{
    mUi = new Ui::VXJobScanViewController;
    mUi->setupUi(this);
    collectionview = mUi->collectionview;
    labelPageTitle = mUi->labelPageTitle;
    labelSelectScanner = mUi->labelSelectScanner;
    btnSelectScanner = mUi->btnSelectScanner;
    btnAddJobtoScaner = mUi->btnAddJobtoScaner;
    labelScanSettings = mUi->labelScanSettings;
    btnDeleteAllJob = mUi->btnDeleteAllJob;
    btnAddJob = mUi->btnAddJob;
    btnButtonScan = mUi->btnButtonScan;
    btnVersion = mUi->btnVersion;
    connect(btnSelectScanner, &QPushButton::clicked, this, [this] { discovery(btnSelectScanner); });
    connect(btnVersion, &QPushButton::clicked, this, [this] { version(btnVersion); });
    connect(btnAddJobtoScaner, &QPushButton::clicked, this, [this] { regsterjoball(btnAddJobtoScaner); });
}

void VXJobScanViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXJobScanViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    btnAddJobtoScaner->setFocus(Qt::OtherFocusReason);
}

void VXJobScanViewController::setRepresentedObject(const RepresentedObject& object)
{
    VXViewController::setRepresentedObject(object);
    if (const auto scanner = representedRecord<ScannerData>(object, "scanner")) {
        currentScannerData = scanner;
        if (btnSelectScanner) {
            btnSelectScanner->setSelectedState(1);
            btnSelectScanner->setText(QString::fromStdString(scanner->scannerName().value_or(std::string())));
        }
    }
}

void VXJobScanViewController::InitLanguage()
{
    labelPageTitle->setText(localized("TitleScanAppJob"));
    labelSelectScanner->setText(localized("TitleSelectScanner"));
    btnSelectScanner->setText(localized("SelectScanner"));
    labelScanSettings->setText(localized("LabelScanSettings"));
    btnDeleteAllJob->setText(localized("MenuDeleteAll"));
    btnAddJob->setText(localized("TitleAddJob"));
    btnButtonScan->setText(localized("ButtonScan"));
}

void VXJobScanViewController::discovery(QAbstractButton*)
{
    transition(CustomSegue("discovery", this));
}

void VXJobScanViewController::version(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("version", this));
}
