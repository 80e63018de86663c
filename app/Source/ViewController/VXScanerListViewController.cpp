#include "VXScanerListViewController.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStandardItemModel>
#include <algorithm>

#include "AlertPanel.h"
#include "CustomButton.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/WebApiClient.h"
#include "FwkUtilsMethod.h"
#include "KeyViewLoop.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "NamedImage.h"
#include "ProcessAnimationController.h"
#include "ProgressRun.h"
#include "RequestFailureText.h"
#include "SavedScannerCheck.h"
#include "SavedScanners.h"
#include "ScannerAddress.h"
#include "ScannerDiscovery.h"
#include "SelectTableView.h"
#include "StatusLine.h"
#include "ToolbarButton.h"
#include "WindowController.h"
#include "ui_ScanerList.h"

namespace {
const char* const kNameColumn = "scanername";
constexpr int kRowHeight = 40;
constexpr int kPictureSide = 28;

// Case-insensitive containment, for names in any script: both sides folded by Qt.
bool containsIgnoringCase(const std::string& name, const std::string& part)
{
    return QString::fromStdString(name).contains(QString::fromStdString(part), Qt::CaseInsensitive);
}
} // namespace

VXScanerListViewController::VXScanerListViewController(QWidget* parent) : VXViewController(parent) {}

VXScanerListViewController::~VXScanerListViewController()
{
    if (scanerlistview) {
        scanerlistview->setSelectDelegate(nullptr);
    }
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
    statusLine = mUi->statusLine;
    connect(backbutton, &QPushButton::clicked, this, [this] { goback(backbutton); });
    backOnEscape(backbutton);
    connect(searchbutton, &QPushButton::clicked, this, [this] { searchScanner(searchbutton); });
    // Return in the field checks the address, as the search button does.
    connect(ipadressfeild, &QLineEdit::returnPressed, this, [this] { searchScanner(searchbutton); });
}

void VXScanerListViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    connect(ipadressfeild, &QLineEdit::textChanged, this, &VXScanerListViewController::controlTextDidChange);
    mModel = new QStandardItemModel(0, 1, this);
    // The column is known by its identifier; its header reads a word (InitLanguage).
    auto* header = new QStandardItem;
    header->setData(QString::fromUtf8(kNameColumn), Qt::UserRole);
    mModel->setHorizontalHeaderItem(0, header);
    scanerlistview->setModel(mModel);
    scanerlistview->setSelectDelegate(this);
    scanerlistview->setSelectionMode(QAbstractItemView::SingleSelection);
    scanerlistview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scanerlistview->setTabKeyNavigation(false);
    scanerlistview->setShowGrid(false);
    scanerlistview->setIconSize(QSize(kPictureSide, kPictureSide));
    scanerlistview->horizontalHeader()->hide();
    scanerlistview->verticalHeader()->hide();
    scanerlistview->verticalHeader()->setDefaultSectionSize(kRowHeight);
    scanerlistview->installEventFilter(this);
    scanerlistview->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(scanerlistview, &QWidget::customContextMenuRequested, this, &VXScanerListViewController::showRowMenu);
    scannerContents.clear();
    scannerListShowContents.clear();

    ProgressWindowPresenter::prepare(processAnimation, processAnimationWindow, processAnimationView,
                                     localized("SearchScanner"));
    FwkUtilsMethod::layoutLeftToRight(this);
    InitLanguage();
}

void VXScanerListViewController::InitLanguage()
{
    setWindowTitle(localized("ScreenScannerList"));
    ScanerList->setText(localized("TitleSelectScanner"));
    labelScanner->setText(localized("LabelScanner"));
    mModel->horizontalHeaderItem(0)->setText(localized("LabelScanner"));
    ipadressfeild->setPlaceholderText(localized("SearchWordScanner"));
}

void VXScanerListViewController::viewWillAppear()
{
    VXViewController::viewWillAppear();
    mClient = std::make_shared<WebApiClient>();
    scannerContents.clear();
    scannerListShowContents.clear();
    savedAddresses.clear();
    reloadData();
    statusLine->clear();
    KeyViewLoop::setLoop({backbutton, searchbutton, ipadressfeild, scanerlistview, backbutton});
}

void VXScanerListViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    ipadressfeild->clear();
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowSearching");
    backbutton->setFocus(Qt::OtherFocusReason);
    const QPointer<VXScanerListViewController> self(this);
    ScannerDiscovery::search(mClient, run, [self](ScannerList scanners, const std::set<std::string>& saved) {
        if (self) {
            self->scannerContents = std::move(scanners);
            self->savedAddresses = saved;
            self->showSearchResult(self->filterNameScannerContents(self->ipadressfeild->text().toStdString()));
        }
    });
}

void VXScanerListViewController::viewWillDisappear()
{
    // The base call abandons a search or address check under way.
    VXViewController::viewWillDisappear();
    ScannerDiscovery::terminate(mClient);
}

void VXScanerListViewController::viewDidDisappear()
{
    VXViewController::viewDidDisappear();
    mClient.reset();
}

void VXScanerListViewController::controlTextDidChange()
{
    scannerListShowContents = filterNameScannerContents(ipadressfeild->text().toStdString());
    reloadData();
}

VXScanerListViewController::ScannerList VXScanerListViewController::filterNameScannerContents(
    const std::string& text) const
{
    if (text.empty()) {
        return scannerContents;
    }
    ScannerList shown;
    std::copy_if(scannerContents.begin(), scannerContents.end(), std::back_inserter(shown), [&](const auto& scanner) {
        return containsIgnoringCase(scanner->scannerName().value_or(std::string()), text);
    });
    return shown;
}

VXScanerListViewController::ScannerList VXScanerListViewController::filterIpScannerContents(
    const std::string& text) const
{
    if (text.empty()) {
        return scannerContents;
    }
    ScannerList shown;
    std::copy_if(scannerContents.begin(), scannerContents.end(), std::back_inserter(shown),
                 [&](const auto& scanner) { return scanner->scannerIp() == text; });
    return shown;
}

int64_t VXScanerListViewController::numberOfRowsInTableView(SelectTableView*) const
{
    return static_cast<int64_t>(scannerListShowContents.size());
}

QStandardItem* VXScanerListViewController::tableView(SelectTableView*, const std::string& tableColumn,
                                                     int64_t row) const
{
    if (row < 0 || row >= numberOfRowsInTableView(scanerlistview) || tableColumn != kNameColumn) {
        return nullptr;
    }
    const auto& scanner = scannerListShowContents[static_cast<std::size_t>(row)];
    auto* cell = new QStandardItem(QString::fromStdString(scanner->scannerName().value_or(std::string())));
    cell->setEditable(false);
    // A saved scanner is marked, and says where it was saved and how to forget it.
    const bool saved = isSavedRow(row);
    cell->setIcon(NamedImage::imageNamed(saved ? "ic_scanner_saved.png" : "ic_scanner.png"));
    if (saved) {
        const QString tip = QString::fromStdString(
            LocalizedStrings::format("TipSavedScanner", {scanner->scannerIp().value_or(std::string())}));
        cell->setToolTip(tip);
        cell->setData(tip, Qt::AccessibleDescriptionRole);
    }
    return cell;
}

void VXScanerListViewController::reloadData()
{
    mModel->setRowCount(0);
    const int64_t rows = numberOfRowsInTableView(scanerlistview);
    for (int64_t row = 0; row < rows; ++row) {
        mModel->appendRow(tableView(scanerlistview, kNameColumn, row));
    }
}

void VXScanerListViewController::showSearchResult(ScannerList rows)
{
    scannerListShowContents = std::move(rows);
    reloadData();
    statusLine->announce(QString::fromStdString(
        LocalizedStrings::format("AnnounceScannersFound", {std::to_string(scannerListShowContents.size())})));
}

void VXScanerListViewController::tableView(SelectTableView*, int64_t row)
{
    transition(row, "goback");
}

bool VXScanerListViewController::tableView(SelectTableView*, const QKeyEvent& event, const QString&)
{
    if (event.text().startsWith(QLatin1Char(' '))) {
        transition(selectedRow(), "goback");
    }
    return true;
}

bool VXScanerListViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scanerlistview && event->type() == QEvent::FocusIn &&
        static_cast<const QFocusEvent&>(*event).reason() != Qt::MouseFocusReason && selectedRow() < 0 &&
        mModel->rowCount() > 0) {
        // Reached by the keyboard: the ring never sits on a row that Space would not choose.
        scanerlistview->selectRow(0);
    }
    if (watched == scanerlistview && event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Delete) {
            forgetScanner(selectedRow());
            return true;
        }
        tableView(scanerlistview, key, QString());
        // The space key has chosen (and left the screen); other keys select by typing.
        if (key.text().startsWith(QLatin1Char(' '))) {
            return true;
        }
    }
    return VXViewController::eventFilter(watched, event);
}

int64_t VXScanerListViewController::selectedRow() const
{
    const auto rows = scanerlistview->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void VXScanerListViewController::transition(int64_t row, const std::string& identifier)
{
    CustomSegue segue(identifier, this);
    if (row >= 0 && row < numberOfRowsInTableView(scanerlistview)) {
        segue.setRepresentedObject(
            CustomSegue::entry("scanner", scannerListShowContents[static_cast<std::size_t>(row)]));
    }
    transition(segue);
}

void VXScanerListViewController::goback(QAbstractButton* sender)
{
    if (sender) {
        sender->setProperty("eventState", 1);
    }
    transition(selectedRow(), "goback");
}

void VXScanerListViewController::searchScanner(QAbstractButton*)
{
    if (!mClient) {
        return; // not shown
    }
    const std::string typed = ipadressfeild->text().toStdString();
    // Only an IPv4 address is asked: other text would go into the request's URL as typed.
    if (!ScannerAddress::isDottedIPv4(typed)) {
        finishSearch(false, false, nullptr);
        return;
    }
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowSearching");
    auto answer = std::make_shared<ScannerData>();
    answer->setScannerIp(typed);
    const QPointer<VXScanerListViewController> self(this);
    DispatchQueue::global().async([run, client = mClient, answer, self] {
        const auto answered = SavedScannerCheck::ask(*client, answer);
        run->finish([&] {
            run->close();
            if (self) {
                self->finishSearch(answered != SavedScannerCheck::Answer::NoAnswer,
                                   answered == SavedScannerCheck::Answer::Identified, answer);
            }
        });
    });
}

void VXScanerListViewController::finishSearch(bool found, bool savable, const std::shared_ptr<ScannerData>& answer)
{
    // An address that answered with its identity is kept for the next visits.
    std::string refusal;
    if (savable) {
        const std::string address = *answer->scannerIp();
        refusal = SavedScanners::add(address, answer->scannerName().value_or(""));
        if (refusal.empty()) {
            savedAddresses.insert(address);
        }
    }
    if (found) {
        const auto known = std::find_if(scannerContents.begin(), scannerContents.end(), [&](const auto& scanner) {
            return scanner->scannerName() == answer->scannerName();
        });
        if (known == scannerContents.end()) {
            auto added = std::make_shared<ScannerData>();
            added->setScannerIp(ipadressfeild->text().toStdString());
            added->setScannerId(answer->scannerId());
            added->setScannerName(answer->scannerName());
            scannerContents.push_back(std::move(added));
        }
    }
    if (scannerContents.empty()) {
        // Text that is no address was never sent: only a request that went out has a reason.
        const WebApiFailure reason = answer ? answer->lastRequestFailure() : WebApiFailure();
        AlertPanel::showMessage(
            RequestFailureText::withReason(LocalizedStrings::text("ErrorNoDetectScanner"), reason));
    }
    const std::string text = ipadressfeild->text().toStdString();
    showSearchResult(found ? filterIpScannerContents(text) : filterNameScannerContents(text));
    if (!refusal.empty()) {
        AlertPanel::showMessage(refusal);
    }
}

bool VXScanerListViewController::isSavedRow(int64_t row) const
{
    return row >= 0 && row < numberOfRowsInTableView(scanerlistview) &&
           savedAddresses.count(scannerListShowContents[static_cast<std::size_t>(row)]->scannerIp().value_or("")) != 0;
}

void VXScanerListViewController::forgetScanner(int64_t row)
{
    if (!isSavedRow(row)) {
        return;
    }
    const auto scanner = scannerListShowContents[static_cast<std::size_t>(row)];
    const std::string address = scanner->scannerIp().value_or("");
    if (const auto refusal = SavedScanners::remove(address); !refusal.empty()) {
        AlertPanel::showMessage(refusal);
        return;
    }
    savedAddresses.erase(address);
    scannerContents.erase(std::remove(scannerContents.begin(), scannerContents.end(), scanner), scannerContents.end());
    scannerListShowContents = filterNameScannerContents(ipadressfeild->text().toStdString());
    reloadData();
}

void VXScanerListViewController::showRowMenu(const QPoint& position)
{
    const int row = scanerlistview->rowAt(position.y());
    if (row < 0) {
        return;
    }
    scanerlistview->selectRow(row);
    QMenu menu(scanerlistview);
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        menu.setLayoutDirection(Qt::RightToLeft);
    }
    QAction* forget = menu.addAction(localized("MenuForgetScanner"));
    forget->setEnabled(isSavedRow(row));
    connect(forget, &QAction::triggered, this, [this, row] { forgetScanner(row); });
    menu.exec(scanerlistview->viewport()->mapToGlobal(position));
}
