#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FWKVXSDK/ScannerData.h"
#include "SelectTableViewDelegate.h"
#include "VXViewController.h"

class CustomButton;
class ProcessAnimationController;
class ProgressRun;
class QAbstractButton;
class QDialog;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPoint;
class QStandardItem;
class QStandardItemModel;
class SelectTableView;
class StatusLine;
class ToolbarButton;
class WebApiClient;
class WindowController;
namespace Ui {
class VXScanerListViewController;
}

// The scanner list: finds scanners, filters them by name, checks a typed
// address, and hands the chosen scanner to the job list.
class VXScanerListViewController : public VXViewController, public SelectTableViewDelegate {
    Q_OBJECT
public:
    using ScannerList = std::vector<std::shared_ptr<ScannerData>>;

    explicit VXScanerListViewController(QWidget* parent = nullptr);
    ~VXScanerListViewController() override;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void viewDidDisappear() override;
    void InitLanguage();

    // The shown rows: the names that contain the text in any letter case, or
    // all scanners for an empty text.
    ScannerList filterNameScannerContents(const std::string& text) const;
    // The scanners whose address is exactly the text, or all for an empty text.
    ScannerList filterIpScannerContents(const std::string& text) const;

    // Table data source: the column "scanername" shows the row's scanner name.
    int64_t numberOfRowsInTableView(SelectTableView* table) const;
    // A new cell of the column for the row; null outside the shown rows.
    QStandardItem* tableView(SelectTableView* table, const std::string& tableColumn, int64_t row) const;
    // A row was clicked: it is chosen.
    void tableView(SelectTableView* table, int64_t row) override;
    // Type-to-select stays on (true); the space key first chooses the selected row.
    bool tableView(SelectTableView* table, const QKeyEvent& event, const QString& searchString);
    // Back to the job list with the scanner of the row, when the row is shown.
    void transition(int64_t row, const std::string& identifier);
    using VXViewController::transition;
    // The shown row's scanner is a saved one.
    bool isSavedRow(int64_t row) const;
    // Forgets the shown row's saved scanner: it leaves the saved scanners and
    // this visit's list. Rows of scanners that are not saved stay.
    void forgetScanner(int64_t row);

    // The client for discovery and address checks; one per visit.
    std::shared_ptr<WebApiClient> mClient;
    // Every scanner known in this visit, and the rows shown (the same records).
    ScannerList scannerContents;
    ScannerList scannerListShowContents;
    // The addresses of the saved scanners, as this visit knows them.
    std::set<std::string> savedAddresses;
    std::unique_ptr<WindowController> processAnimation;
    QDialog* processAnimationWindow = nullptr;
    ProcessAnimationController* processAnimationView = nullptr;

    QLabel* ScanerList = nullptr;
    QLabel* labelScanner = nullptr;
    QLineEdit* ipadressfeild = nullptr;
    CustomButton* searchbutton = nullptr;
    SelectTableView* scanerlistview = nullptr;
    ToolbarButton* backbutton = nullptr;
    // How many scanners the last search shows, read out by a screen reader.
    StatusLine* statusLine = nullptr;

public slots:
    void goback(QAbstractButton* sender);
    void searchScanner(QAbstractButton* sender);
    // The text of ipadressfeild changed.
    void controlTextDidChange();

protected:
    void loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadData();
    // The rows shown after a search (the network's or an address's), and how many they are.
    void showSearchResult(ScannerList rows);
    // The end of an address check, on the main thread. An answer with an
    // identity (savable) is also saved.
    void finishSearch(bool found, bool savable, const std::shared_ptr<ScannerData>& answer);
    void showRowMenu(const QPoint& position);
    int64_t selectedRow() const;

    Ui::VXScanerListViewController* mUi = nullptr;
    QStandardItemModel* mModel = nullptr;
};
