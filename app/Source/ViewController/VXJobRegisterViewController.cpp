#include "VXJobRegisterViewController.h"

#include <QTableWidget>

#include "CustomButton.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "ScanButton.h"
#include "ToolbarButton.h"
#include "ui_JobRegister.h"

namespace {
QString localized(const char* key)
{
    return QString::fromStdString(LocalizedStrings::text(key));
}
} // namespace

VXJobRegisterViewController::VXJobRegisterViewController(QWidget* parent) : VXViewController(parent) {}

VXJobRegisterViewController::~VXJobRegisterViewController()
{
    delete mUi;
}

void VXJobRegisterViewController::loadView()
{
    mUi = new Ui::VXJobRegisterViewController;
    mUi->setupUi(this);
    closebutton = mUi->closebutton;
    labelSendJobAllScanner = mUi->labelSendJobAllScanner;
    registertable = mUi->registertable;
    btnBatchRegist = mUi->btnBatchRegist;
    btnUpdateList = mUi->btnUpdateList;
    connect(closebutton, &QPushButton::clicked, this, [this] { goback(closebutton); });
}

void VXJobRegisterViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
}

void VXJobRegisterViewController::InitLanguage()
{
    btnBatchRegist->setText(localized("RegistJob"));
    btnUpdateList->setText(localized("ButtonUpdate"));
    labelSendJobAllScanner->setText(localized("LabelSendJobAllScanner"));
    registertable->setColumnCount(4);
    registertable->setHorizontalHeaderLabels(
        {localized("LabelSelect"), localized("LabelScanner"), localized("LabelPassword"), localized("LabelResult")});
}

void VXJobRegisterViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("goback", this));
}
