#pragma once

#include <memory>
#include <vector>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"
#include "ProgressWindowPresenter.h"
#include "VXViewController.h"

class CustomButton;
class PasswordDialogController;
class ProcessAnimationController;
class QDialog;
class WindowController;
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
    // Takes over the scanner chosen on the scanner list.
    void setRepresentedObject(const RepresentedObject& object) override;
    void InitLanguage();

    // The scanner that scans and registrations go to; absent until one is picked.
    std::shared_ptr<ScannerData> currentScannerData;
    // The jobs shown, one tile each, in ascending order of job number.
    std::vector<std::shared_ptr<SettingData>> jobContents;
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
    // The password dialog of a registration, made anew for each.
    std::unique_ptr<WindowController> passwordDialog;
    QDialog* passwordDialogWindow = nullptr;
    PasswordDialogController* passwordDialogController = nullptr;
    // The progress window of scans and registrations.
    std::unique_ptr<WindowController> processAnimation;
    QDialog* processAnimationWindow = nullptr;
    ProcessAnimationController* processAnimationView = nullptr;
    // The modal session of a running scan.
    ModalSession processSession;

public slots:
    void discovery(QAbstractButton* sender);
    void version(QAbstractButton* sender);
    // Registers all jobs on the picked scanner (VXJobScanViewControllerRegistration.cpp).
    void regsterjoball(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    Ui::VXJobScanViewController* mUi = nullptr;
};
