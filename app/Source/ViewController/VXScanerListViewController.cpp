#include "VXScanerListViewController.h"

#include <QLineEdit>

#include "CustomButton.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "SelectTableView.h"
#include "ToolbarButton.h"
#include "ui_ScanerList.h"

namespace {
QString localized(const char* key)
{
    return QString::fromStdString(LocalizedStrings::text(key));
}
} // namespace

VXScanerListViewController::VXScanerListViewController(QWidget* parent) : VXViewController(parent) {}

VXScanerListViewController::~VXScanerListViewController()
{
    delete mUi;
}

void VXScanerListViewController::loadView()
{
    mUi = new Ui::VXScanerListViewController;
    mUi->setupUi(this);
    ScanerList = mUi->ScanerList;
    labelScanner = mUi->labelScanner;
    ipadressfeild = mUi->ipadressfeild;
    searchbutton = mUi->searchbutton;
    scanerlistview = mUi->scanerlistview;
    backbutton = mUi->backbutton;
    connect(backbutton, &QPushButton::clicked, this, [this] { goback(backbutton); });
}

void VXScanerListViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXScanerListViewController::InitLanguage()
{
    ScanerList->setText(localized("TitleSelectScanner"));
    labelScanner->setText(localized("LabelScanner"));
    ipadressfeild->setPlaceholderText(localized("SearchWordScanner"));
}

void VXScanerListViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("goback", this));
}
