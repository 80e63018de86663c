#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FWKVXSDK/ScannerData.h"
#include "VXViewController.h"

class CustomButton;
class DispatchQueue;
class PasswordTableCellView;
class ProcessAnimationController;
class ProgressRun;
class QAbstractButton;
class QDialog;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class ScanButton;
class SelectTableCellView;
class StatusLine;
class ToolbarButton;
class WebApiClient;
class WindowController;
namespace Ui {
class VXJobRegisterViewController;
}

// Bulk registration: the jobs on every ticked scanner of the network, one
// scanner after another, each with its own password and result.
// The runs go on on the screen's serial queue; the program closes its
// hand-off to the main thread (MainThreadDispatcher::Close) before it destroys
// the screen, which waits for them.
class VXJobRegisterViewController : public VXViewController {
    Q_OBJECT
public:
    // The table's columns, by their place in the column table (logical columns).
    enum Column { SelectColumn = 0, ScanerColumn = 1, PasswordColumn = 2, ResultColumn = 3, ColumnCount = 4 };
    static const char* const kColumnIdentifiers[ColumnCount]; // "select", "scaner", "password", "result"

    // One row of the table as the search made it; the user's ticks and
    // passwords, and the results, live in the cells only.
    struct RowRecord {
        std::shared_ptr<ScannerData> scannerData;
        int64_t selectstate = 1;    // the tick starts on
        std::string password;       // the password field starts empty
        int64_t passwordsecure = 0; // the eye starts off: the password is hidden
        std::string result;         // the result starts empty
    };

    explicit VXJobRegisterViewController(QWidget* parent = nullptr);
    ~VXJobRegisterViewController() override;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void viewDidDisappear() override;
    void InitLanguage();
    // Searches the network and adds a row for every scanner found.
    void discovery();

    // Table data source.
    int64_t numberOfRowsInTableView(QTableWidget* tableView) const;
    // Makes the row's cell of the column (by identifier) and fills it from the
    // row record; nothing for a row beyond the records.
    void tableView(QTableWidget* tableView, const std::string& tableColumn, int64_t row);
    // The table made anew from the row records.
    void reloadData();

    // The cells of a row; null when the row has none.
    SelectTableCellView* selectCell(int64_t row) const;
    PasswordTableCellView* passwordCell(int64_t row) const;
    QTableWidgetItem* resultCell(int64_t row) const;

    std::shared_ptr<WebApiClient> mClient;
    std::unique_ptr<DispatchQueue> mSerialDispatchQueue;
    bool mFirstOpen = false;
    ToolbarButton* closebutton = nullptr;
    QLabel* labelSendJobAllScanner = nullptr;
    QTableWidget* registertable = nullptr;
    ScanButton* btnBatchRegist = nullptr;
    CustomButton* btnUpdateList = nullptr;
    // What the last search or registration came to, read out by a screen reader.
    StatusLine* statusLine = nullptr;
    std::vector<RowRecord> contents;
    std::unique_ptr<WindowController> processAnimation;
    QDialog* processAnimationWindow = nullptr;
    ProcessAnimationController* processAnimationView = nullptr;

public slots:
    void registerjob(QAbstractButton* sender);
    void discoveryscanner(QAbstractButton* sender);
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    // A new progress window with the text for the key.
    void makeProgressWindow(const char* textKey);
    // How the rows of one registration ended so far.
    struct Tally {
        int succeeded = 0;
        int failed = 0;
    };
    // The registration run of one ticked row, on the serial queue.
    static void registerRow(const std::shared_ptr<ProgressRun>& run, QPointer<VXJobRegisterViewController> screen,
                            int64_t row, int64_t lastRow, const std::shared_ptr<ScannerData>& scanner,
                            const std::string& password, const std::shared_ptr<Tally>& tally);
    // Tab goes through the rows' own controls between the table and the buttons.
    void setKeyViewLoop();

    Ui::VXJobRegisterViewController* mUi = nullptr;
};
