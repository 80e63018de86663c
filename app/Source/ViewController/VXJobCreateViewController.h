#pragma once

#include <cstdint>
#include <string>

#include "FWKVXSDK/SettingData.h"
#include "VXViewController.h"

class OvSettingGridView;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class ScanButton;
class ToolbarButton;
namespace Ui {
class VXJobCreateViewController;
}

// The job editor: creates a new job or changes an existing one.
class VXJobCreateViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXJobCreateViewController(QWidget* parent = nullptr);
    ~VXJobCreateViewController() override;

    void viewDidLoad() override;
    void viewDidAppear() override;
    void InitLanguage();
    // Takes over the job the job list hands over ("addjob" or "editjob").
    void setRepresentedObject(const RepresentedObject& object) override;
    // Validates the job built from the controls and shows the first rule it
    // breaks; true when it is valid.
    bool Check(const SettingData& job);

    // 0 while a new job is made ("addjob"), 1 while a stored one is changed ("editjob").
    int64_t mMode = 0;
    // The number of the job being made or changed; the job keeps it, and so its file.
    std::string mjobNo;

    QLabel* labelBackPage = nullptr;
    // The number of the job shown ("Job 7").
    QLabel* labelJobNumber = nullptr;
    QLabel* labelJob = nullptr;
    QLineEdit* jobnametextfield = nullptr;
    QLabel* labelScanSettings = nullptr;
    OvSettingGridView* createView = nullptr;
    QLabel* labelColorMode = nullptr;
    QComboBox* colormodepopupbutton = nullptr;
    QLabel* labelPaperSize = nullptr;
    QComboBox* papersizepopupbutton = nullptr;
    QLabel* labelResolution = nullptr;
    QComboBox* resolutionpopupbutton = nullptr;
    QLabel* labelReadingSurface = nullptr;
    QComboBox* readingsurfacepopupbutton = nullptr;
    QLabel* labelFileFormat = nullptr;
    QComboBox* fileformatpopupbutton = nullptr;
    QLabel* labelSendSetting = nullptr;
    QLabel* labelUser = nullptr;
    QLineEdit* usernametextfield = nullptr;
    QLabel* labelPassword = nullptr;
    QLineEdit* passwordtextfield = nullptr;
    QLabel* labelSendPath = nullptr;
    QLineEdit* sendpathtextfield = nullptr;
    ScanButton* scanbutton = nullptr;
    ToolbarButton* closebutton = nullptr;

public slots:
    // Builds the job from the controls, checks it, stores it and hands it back to the job list.
    void registerjob(QAbstractButton* sender);
    // Back to the job list without saving.
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    void takeOver(const SettingData& job, int64_t mode);

    Ui::VXJobCreateViewController* mUi = nullptr;
};
