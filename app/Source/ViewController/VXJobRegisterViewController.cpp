#include "VXJobRegisterViewController.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>

#include "AlertPanel.h"
#include "CustomButton.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/WebApiClient.h"
#include "FwkUtilsMethod.h"
#include "InfoDictionary.h"
#include "KeyViewLoop.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "ProcessAnimationController.h"
#include "ProgressRun.h"
#include "ResultMessage.h"
#include "ScanButton.h"
#include "ScannerDiscovery.h"
#include "SelectTableCellView.h"
#include "StatusLine.h"
#include "ToolbarButton.h"
#include "WindowController.h"
#include "ui_JobRegister.h"

namespace {
// A text cell that shows all of its text on demand and cannot be edited.
QTableWidgetItem* textCell(const std::string& text)
{
    auto* cell = new QTableWidgetItem(QString::fromStdString(text));
    cell->setFlags(Qt::ItemIsEnabled);
    cell->setToolTip(cell->text());
    return cell;
}

constexpr int kRowHeight = 36;
constexpr int kColumnWidths[] = {80, 320, 220}; // the result column takes the rest
} // namespace

const char* const VXJobRegisterViewController::kColumnIdentifiers[ColumnCount] = {"select", "scaner", "password",
                                                                                  "result"};

VXJobRegisterViewController::VXJobRegisterViewController(QWidget* parent) : VXViewController(parent) {}

VXJobRegisterViewController::~VXJobRegisterViewController()
{
    // The runs still queued end first (the queue waits for them).
    mSerialDispatchQueue.reset();
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
    statusLine = mUi->statusLine;
    connect(closebutton, &QPushButton::clicked, this, [this] { goback(closebutton); });
    backOnEscape(closebutton);
    connect(btnBatchRegist, &QPushButton::clicked, this, [this] { registerjob(btnBatchRegist); });
    connect(btnUpdateList, &QPushButton::clicked, this, [this] { discoveryscanner(btnUpdateList); });
}

void VXJobRegisterViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    contents.clear();
    registertable->setColumnCount(ColumnCount);
    registertable->setSelectionMode(QAbstractItemView::NoSelection);
    registertable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the rows' own controls instead of moving between cells.
    registertable->setTabKeyNavigation(false);
    registertable->setShowGrid(false);
    registertable->setAlternatingRowColors(true);
    registertable->verticalHeader()->hide();
    registertable->verticalHeader()->setDefaultSectionSize(kRowHeight);
    registertable->horizontalHeader()->setStretchLastSection(true);
    registertable->horizontalHeader()->setSectionsMovable(false);
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
        registertable->setColumnWidth(column, kColumnWidths[column]);
    }
    // A row control that takes the focus by Tab is scrolled into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && registertable->viewport()->isAncestorOf(now)) {
            registertable->scrollTo(registertable->indexAt(now->mapTo(registertable->viewport(), QPoint(0, 0))));
        }
    });

    const std::string identifier = InfoDictionary::objectForKey("CFBundleIdentifier").value_or(std::string());
    mSerialDispatchQueue = std::make_unique<DispatchQueue>(identifier + ".SerialDispatchQueue");

    makeProgressWindow("SearchScanner");
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
    mFirstOpen = false;
}

void VXJobRegisterViewController::InitLanguage()
{
    setWindowTitle(localized("ScreenBulkRegistration"));
    btnBatchRegist->setText(localized("ButtonRegistJob"));
    btnUpdateList->setText(localized("ButtonUpdate"));
    labelSendJobAllScanner->setText(localized("LabelSendJobAllScanner"));
    const char* const headerKeys[ColumnCount] = {"LabelSelect", "LabelScanner", "LabelPassword", "LabelResult"};
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QTableWidgetItem(localized(headerKeys[column]));
        header->setTextAlignment(column == SelectColumn ? Qt::AlignCenter
                                                        : Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
        header->setData(Qt::UserRole, QString::fromUtf8(kColumnIdentifiers[column]));
        registertable->setHorizontalHeaderItem(column, header);
    }
}

void VXJobRegisterViewController::viewWillAppear()
{
    VXViewController::viewWillAppear();
    mClient = std::make_shared<WebApiClient>();
    if (!FwkUtilsMethod::isLTR_LayoutDirection() && !mFirstOpen) {
        // The mirroring pass reversed the columns when the screen was loaded;
        // reversed once more they are in their own order again, which the
        // right-to-left table then draws from the right.
        FwkUtilsMethod::reverseTableColumns(registertable->horizontalHeader());
        mFirstOpen = true;
    }
    setKeyViewLoop();
}

void VXJobRegisterViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    closebutton->setFocus(Qt::OtherFocusReason);
    contents.clear();
    reloadData();
    statusLine->clear();
    discovery();
}

void VXJobRegisterViewController::viewWillDisappear()
{
    // The base call abandons a search or the registrations under way.
    VXViewController::viewWillDisappear();
    ScannerDiscovery::terminate(mClient);
}

void VXJobRegisterViewController::viewDidDisappear()
{
    VXViewController::viewDidDisappear();
    mClient.reset();
}

void VXJobRegisterViewController::makeProgressWindow(const char* textKey)
{
    ProgressWindowPresenter::prepare(processAnimation, processAnimationWindow, processAnimationView, localized(textKey));
}

void VXJobRegisterViewController::discovery()
{
    if (!mClient) {
        return; // not shown
    }
    makeProgressWindow("SearchScanner");
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowSearching");
    const QPointer<VXJobRegisterViewController> self(this);
    // Saved scanners are listed too: a fleet spread over networks that the
    // search does not reach is registered in one go all the same.
    ScannerDiscovery::search(mClient, run, [self](ScannerDiscovery::Scanners scanners, const auto&) {
        if (!self) {
            return;
        }
        for (auto& scanner : scanners) {
            RowRecord record;
            record.scannerData = std::move(scanner);
            self->contents.push_back(std::move(record));
        }
        self->reloadData();
        for (int64_t row = 0; row < self->numberOfRowsInTableView(self->registertable); ++row) {
            if (self->selectCell(row)) {
                self->passwordCell(row)->passwordtextfield->setPasswordCell();
            }
        }
        self->statusLine->announce(QString::fromStdString(
            LocalizedStrings::format("AnnounceScannersFound", {std::to_string(self->contents.size())})));
    });
}

void VXJobRegisterViewController::discoveryscanner(QAbstractButton*)
{
    contents.clear();
    reloadData();
    statusLine->clear();
    QMetaObject::invokeMethod(this, [this] { discovery(); }, Qt::QueuedConnection);
}

int64_t VXJobRegisterViewController::numberOfRowsInTableView(QTableWidget*) const
{
    return static_cast<int64_t>(contents.size());
}

void VXJobRegisterViewController::tableView(QTableWidget* tableView, const std::string& tableColumn, int64_t row)
{
    if (row < 0 || row >= numberOfRowsInTableView(tableView)) {
        return;
    }
    const RowRecord& record = contents[static_cast<std::size_t>(row)];
    const int at = static_cast<int>(row);
    const QString scannerName = QString::fromStdString(record.scannerData->scannerName().value_or(std::string()));
    QWidget* cellView = nullptr;
    if (tableColumn == kColumnIdentifiers[SelectColumn]) {
        auto* cell = new SelectTableCellView;
        cell->checkbutton->setChecked(record.selectstate == 1);
        cell->checkbutton->setAccessibleDescription(scannerName);
        tableView->setCellWidget(at, SelectColumn, cell);
        cellView = cell;
    } else if (tableColumn == kColumnIdentifiers[ScanerColumn]) {
        tableView->setItem(at, ScanerColumn, textCell(scannerName.toStdString()));
    } else if (tableColumn == kColumnIdentifiers[PasswordColumn]) {
        auto* cell = new PasswordTableCellView;
        cell->passwordtextfield->setText(QString::fromStdString(record.password));
        cell->passwordsecurebutton->setChecked(record.passwordsecure == 1);
        cell->passwordtextfield->setAccessibleDescription(scannerName);
        cell->passwordsecurebutton->setAccessibleDescription(scannerName);
        tableView->setCellWidget(at, PasswordColumn, cell);
        cellView = cell;
    } else if (tableColumn == kColumnIdentifiers[ResultColumn]) {
        tableView->setItem(at, ResultColumn, textCell(record.result));
    }
    // Cells made here are not reached by the screen's own mirroring pass.
    FwkUtilsMethod::layoutLeftToRight(cellView);
}

void VXJobRegisterViewController::reloadData()
{
    registertable->setRowCount(0);
    const int64_t rows = numberOfRowsInTableView(registertable);
    registertable->setRowCount(static_cast<int>(rows));
    for (int64_t row = 0; row < rows; ++row) {
        for (const char* column : kColumnIdentifiers) {
            tableView(registertable, column, row);
        }
    }
    setKeyViewLoop();
}

SelectTableCellView* VXJobRegisterViewController::selectCell(int64_t row) const
{
    return qobject_cast<SelectTableCellView*>(registertable->cellWidget(static_cast<int>(row), SelectColumn));
}

PasswordTableCellView* VXJobRegisterViewController::passwordCell(int64_t row) const
{
    return qobject_cast<PasswordTableCellView*>(registertable->cellWidget(static_cast<int>(row), PasswordColumn));
}

QTableWidgetItem* VXJobRegisterViewController::resultCell(int64_t row) const
{
    return registertable->item(static_cast<int>(row), ResultColumn);
}

void VXJobRegisterViewController::setKeyViewLoop()
{
    QList<QWidget*> loop{closebutton, registertable};
    for (int64_t row = 0; row < numberOfRowsInTableView(registertable); ++row) {
        if (SelectTableCellView* select = selectCell(row)) {
            loop << select->checkbutton;
        }
        if (PasswordTableCellView* password = passwordCell(row)) {
            loop << password->passwordtextfield << password->passwordsecurebutton;
        }
    }
    loop << btnUpdateList << btnBatchRegist << closebutton;
    KeyViewLoop::setLoop(loop);
}

void VXJobRegisterViewController::registerjob(QAbstractButton*)
{
    makeProgressWindow("BulkRegist");
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowRegistering");
    const int64_t rows = numberOfRowsInTableView(registertable);
    int64_t lastRow = 0;
    for (int64_t row = 0; row < rows; ++row) {
        const SelectTableCellView* select = selectCell(row);
        if (select && select->checkbutton->checkState() != Qt::Unchecked) {
            lastRow = row;
        }
    }
    bool enqueued = false;
    const auto tally = std::make_shared<Tally>();
    for (int64_t row = 0; row < rows; ++row) {
        SelectTableCellView* select = selectCell(row);
        if (!select || !select->checkbutton->isChecked()) {
            continue;
        }
        const std::string password = passwordCell(row)->passwordtextfield->text().toStdString();
        const auto scanner = contents[static_cast<std::size_t>(row)].scannerData;
        mSerialDispatchQueue->async(
            [run, screen = QPointer<VXJobRegisterViewController>(this), row, lastRow, scanner, password, tally] {
                registerRow(run, screen, row, lastRow, scanner, password, tally);
            });
        enqueued = true;
    }
    if (!enqueued) {
        run->close();
        AlertPanel::showMessage(LocalizedStrings::text("ErrorNoSelectScanner"));
    }
}

void VXJobRegisterViewController::registerRow(const std::shared_ptr<ProgressRun>& run,
                                              QPointer<VXJobRegisterViewController> screen, int64_t row,
                                              int64_t lastRow, const std::shared_ptr<ScannerData>& scanner,
                                              const std::string& password, const std::shared_ptr<Tally>& tally)
{
    if (run->abandoned()) {
        return; // the window is closing: rows not begun are left alone
    }
    const RunStop::Registration registration = run->registerJobs(scanner, password);
    if (registration.stopped) {
        return;
    }
    const std::string text = ResultMessage::bulkRowText(registration.result, registration.reason);
    run->finish([&] {
        (registration.result == 0 ? tally->succeeded : tally->failed) += 1;
        if (row >= lastRow) {
            run->close();
        }
        // The row still shows this scanner: the table is not reloaded while the progress window is up.
        if (screen && row < screen->numberOfRowsInTableView(screen->registertable) &&
            screen->contents[static_cast<std::size_t>(row)].scannerData == scanner) {
            if (QTableWidgetItem* result = screen->resultCell(row)) {
                result->setText(QString::fromStdString(text));
                result->setToolTip(result->text());
            }
        }
        // The end of the registration is told without a box: the rows say the rest.
        if (screen && row >= lastRow) {
            screen->statusLine->announce(QString::fromStdString(LocalizedStrings::format(
                "AnnounceRegistrationDone", {std::to_string(tally->succeeded), std::to_string(tally->failed)})));
        }
    });
}

void VXJobRegisterViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(CustomSegue("goback", this));
}
