#pragma once

#include "VXViewController.h"

class CustomButton;
class QAbstractButton;
class QLabel;
class ScanerVersionView;
class ToolbarButton;
namespace Ui {
class VXVersionViewController;
}

// The version screen: the application's version and copyright line, and the
// way to bulk registration on many scanners.
class VXVersionViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXVersionViewController(QWidget* parent = nullptr);
    ~VXVersionViewController() override;

    void viewDidLoad() override;
    void viewDidAppear() override;
    void InitLanguage();

    QLabel* labelSendJobAllScanner = nullptr;
    CustomButton* btnRegistJobToScanner = nullptr;
    QLabel* labelVersionInfo = nullptr;
    QLabel* labelVersion = nullptr;
    QLabel* version = nullptr;
    QLabel* labelCopyright = nullptr;
    QLabel* copyright = nullptr;
    ToolbarButton* closebutton = nullptr;
    ScanerVersionView* versionView = nullptr;

public slots:
    void copyjob(QAbstractButton* sender);
    void goback(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    void leave(QAbstractButton* sender, const char* identifier);
    // Mirrors the whole window content for the writing direction.
    void layoutWindowContent();

    Ui::VXVersionViewController* mUi = nullptr;
};
