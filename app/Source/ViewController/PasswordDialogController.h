#pragma once

#include <string>

#include "ViewController.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
namespace Ui {
class PasswordDialogController;
}

// The job password dialog. Each button's "tag" property is the dialog's
// response: OK non-zero, Cancel 0; closing the window counts as Cancel. The
// caller reads editPassword's text after a non-zero response.
class PasswordDialogController : public ViewController {
    Q_OBJECT
public:
    explicit PasswordDialogController(QWidget* parent = nullptr);
    ~PasswordDialogController() override;

    void viewDidLoad() override;
    void InitLanguage();
    // The message names the scanner the password is for: its name and address.
    void showScanner(const std::string& name, const std::string& address);

    QLabel* labelPassword = nullptr;
    QLabel* labelMessagePassword = nullptr;
    QLineEdit* editPassword = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    // Hides the window and ends its modal run with the button's tag.
    void exitPasswordDialog(QAbstractButton* sender);
    // The window is being closed: hide it and end the modal run with 0.
    void closeInfoPanel();

protected:
    void loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::PasswordDialogController* mUi = nullptr;
    QWidget* mObservedWindow = nullptr;
};
