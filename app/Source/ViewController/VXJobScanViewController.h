#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>
#include <memory>
#include <vector>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"
#include "JobCollectionView.h"
#include "JobRemovalHistory.h"
#include "VXViewController.h"

class CustomButton;
class PasswordDialogController;
class ProcessAnimationController;
class QDialog;
class WindowController;
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
class VXJobScanViewController : public VXViewController, public JobCollectionViewDataSource {
    Q_OBJECT
public:
    explicit VXJobScanViewController(QWidget* parent = nullptr);
    ~VXJobScanViewController() override;

    void viewDidLoad() override;
    void viewDidAppear() override;
    void InitLanguage();
    // Takes over what another screen hands back: "addjob", "editjob", "scanner".
    void setRepresentedObject(const RepresentedObject& object) override;
    // Reads the job store again, after the job set changed as a whole (an import).
    void reloadJobs();

    // The grid's data source: one tile per job.
    int64_t collectionView(JobCollectionView* collectionView, int64_t numberOfItemsInSection) override;
    JobCollectionViewItem* collectionView(JobCollectionView* collectionView,
                                          const IndexPath& itemForRepresentedObjectAtIndexPath) override;

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

signals:
    // A scanner was handed over and is now the picked one.
    void scannerPicked(const std::shared_ptr<ScannerData>& scanner);

public slots:
    void addjob(QAbstractButton* sender);
    // Sent by a tile (JobCollectionViewItem) along the responder chain.
    void editjob(QObject* sender);
    void removejob(QObject* sender);
    void removejoball(QAbstractButton* sender);
    void discovery(QAbstractButton* sender);
    void version(QAbstractButton* sender);
    // Scans with the selected job on the picked scanner.
    void scanjob(QAbstractButton* sender);
    // Registers all jobs on the picked scanner (VXJobScanViewControllerRegistration.cpp).
    void regsterjoball(QAbstractButton* sender);

public:
    // The last removal (one tile or all), undone and redone from the Edit menu.
    bool canUndoRemoval() const { return mRemovals.canUndo(); }
    bool canRedoRemoval() const { return mRemovals.canRedo(); }
    void undoRemoval();
    void redoRemoval();

signals:
    // The jobs changed, and with them what Undo and Redo can do.
    void jobsChanged();

protected:
    void loadView() override;

private:
    void sortJobContents();
    // Deletes the jobs' files (kept for Undo); the jobs whose file is gone
    // leave the list, and the user learns why about those that stay.
    void removeJobs(const std::vector<std::shared_ptr<SettingData>>& jobs);
    // The jobs the removal took leave the list; the user learns about the others.
    void dropJobs(const JobRemovalHistory::Removal& removal);

    Ui::VXJobScanViewController* mUi = nullptr;
    QHash<QString, QPixmap> mFormatPictures;
    JobRemovalHistory mRemovals;
};
