#include "JobCollectionViewItem.h"

#include <QLabel>

#include "FwkUtilsMethod.h"
#include "JobCollectionButton.h"
#include "JobItemBackgroundView.h"
#include "LocalizedStrings.h"
#include "ResponderChain.h"
#include "ui_JobCollectionViewItem.h"

JobCollectionViewItem::JobCollectionViewItem(QWidget* parent) : ViewController(parent) {}

JobCollectionViewItem::~JobCollectionViewItem()
{
    delete mUi;
}

void JobCollectionViewItem::loadView()
{
    mUi = new Ui::JobCollectionViewItem;
    mUi->setupUi(this);
    editbutton = mUi->editbutton;
    removebutton = mUi->removebutton;
    jobbackgroundview = mUi->jobbackgroundview;
    jobnumbertextfield = mUi->jobnumbertextfield;
    jobnametextfield = mUi->jobnametextfield;
    formatimageview = mUi->formatimageview;
    connect(editbutton, &QPushButton::clicked, this, [this] { editjobItem(editbutton); });
    connect(removebutton, &QPushButton::clicked, this, [this] { removejobItem(removebutton); });
}

void JobCollectionViewItem::viewDidLoad()
{
    ViewController::viewDidLoad();
    // The grid's tiles are not part of the screen's own pass: each tile mirrors itself.
    FwkUtilsMethod::layoutLeftToRight(this);
}

void JobCollectionViewItem::setSelected(bool flag)
{
    highlighted = flag;
    jobbackgroundview->setHighlight(highlighted);
}

void JobCollectionViewItem::describeJob(const QString& number, const QString& name, const QString& format)
{
    const auto text = [&](const char* key, std::vector<std::string> values) {
        return QString::fromStdString(LocalizedStrings::format(key, values));
    };
    jobbackgroundview->setAccessibleName(
        text("AccessibleJobTile", {number.toStdString(), name.toStdString(), format.toStdString()}));
    editbutton->setAccessibleName(text("AccessibleEditThisJob", {number.toStdString(), name.toStdString()}));
    removebutton->setAccessibleName(text("AccessibleRemoveThisJob", {number.toStdString(), name.toStdString()}));
}

QWidget* JobCollectionViewItem::accessibleItem() const
{
    return jobbackgroundview;
}

void JobCollectionViewItem::editjobItem(QAbstractButton* sender)
{
    sendToResponder("editjob", sender);
}

void JobCollectionViewItem::removejobItem(QAbstractButton* sender)
{
    sendToResponder("removejob", sender);
}

void JobCollectionViewItem::sendToResponder(const char* action, QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    jobnumber = jobnumbertextfield->text();
    jobname = jobnametextfield->text();
    // The tile's own parent first: the tile itself carries no job commands.
    ResponderChain::sendAction(action, this, parentWidget());
}
