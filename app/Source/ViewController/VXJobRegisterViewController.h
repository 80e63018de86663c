#pragma once

#include "VXViewController.h"

class CustomButton;
class QAbstractButton;
class QLabel;
class QTableWidget;
class ScanButton;
class ToolbarButton;
namespace Ui {
class VXJobRegisterViewController;
}

// Bulk registration: the jobs on every ticked scanner of the network, one
// scanner after another, each with its own password and result.
class VXJobRegisterViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXJobRegisterViewController(QWidget* parent = nullptr);
    ~VXJobRegisterViewController() override;

    void viewDidLoad() override;
    void InitLanguage();

    ToolbarButton* closebutton = nullptr;
    QLabel* labelSendJobAllScanner = nullptr;
    QTableWidget* registertable = nullptr;
    ScanButton* btnBatchRegist = nullptr;
    CustomButton* btnUpdateList = nullptr;

public slots:
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    Ui::VXJobRegisterViewController* mUi = nullptr;
};
