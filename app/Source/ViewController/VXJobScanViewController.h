#pragma once

#include "VXViewController.h"

class CustomButton;
class JobCollectionView;
class QAbstractButton;
class QLabel;
class ScanButton;
class ScanerSelectButton;
class ToolbarButton;
namespace Ui {
class VXJobScanViewController;
}

// The job list: the stored jobs as tiles, the chosen scanner, and the commands
// to add, edit and remove jobs, scan and register the jobs on a scanner.
class VXJobScanViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXJobScanViewController(QWidget* parent = nullptr);
    ~VXJobScanViewController() override;

    void viewDidLoad() override;
    void viewDidAppear() override;
    void InitLanguage();

    JobCollectionView* collectionview = nullptr;
    QLabel* labelPageTitle = nullptr;
    QLabel* labelSelectScanner = nullptr;
    ScanerSelectButton* btnSelectScanner = nullptr;
    CustomButton* btnAddJobtoScaner = nullptr;
    QLabel* labelScanSettings = nullptr;
    CustomButton* btnDeleteAllJob = nullptr;
    CustomButton* btnAddJob = nullptr;
    ScanButton* btnButtonScan = nullptr;
    ToolbarButton* btnVersion = nullptr;

public slots:
    void discovery(QAbstractButton* sender);
    void version(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    Ui::VXJobScanViewController* mUi = nullptr;
};
