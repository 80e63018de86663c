#pragma once

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

    QLabel* labelBackPage = nullptr;
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
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    Ui::VXJobCreateViewController* mUi = nullptr;
};
