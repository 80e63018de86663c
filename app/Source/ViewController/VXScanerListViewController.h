#pragma once

#include "VXViewController.h"

class CustomButton;
class QAbstractButton;
class QLabel;
class QLineEdit;
class SelectTableView;
class ToolbarButton;
namespace Ui {
class VXScanerListViewController;
}

// The scanner list: finds scanners, filters them by name, checks a typed
// address, and hands the chosen scanner to the job list.
class VXScanerListViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXScanerListViewController(QWidget* parent = nullptr);
    ~VXScanerListViewController() override;

    void viewDidLoad() override;
    void InitLanguage();

    QLabel* ScanerList = nullptr;
    QLabel* labelScanner = nullptr;
    QLineEdit* ipadressfeild = nullptr;
    CustomButton* searchbutton = nullptr;
    SelectTableView* scanerlistview = nullptr;
    ToolbarButton* backbutton = nullptr;

public slots:
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    Ui::VXScanerListViewController* mUi = nullptr;
};
