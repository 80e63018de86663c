#include "PasswordDialogController.h"

#include <QDialog>
#include <QEvent>

#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "WindowTitle.h"
#include "ui_PasswordDialog.h"

PasswordDialogController::PasswordDialogController(QWidget* parent) : ViewController(parent) {}

PasswordDialogController::~PasswordDialogController()
{
    delete mUi;
}

void PasswordDialogController::loadView()
{
    mUi = new Ui::PasswordDialogController;
    mUi->setupUi(this);
    labelPassword = mUi->labelPassword;
    labelMessagePassword = mUi->labelMessagePassword;
    editPassword = mUi->editPassword;
    btnOK = mUi->btnOK;
    btnCancel = mUi->btnCancel;
    connect(btnOK, &QPushButton::clicked, this, [this] { exitPasswordDialog(btnOK); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { exitPasswordDialog(btnCancel); });
}

void PasswordDialogController::viewDidLoad()
{
    ViewController::viewDidLoad();
    InitLanguage();
    FwkUtilsMethod::layoutLeftToRight(this);
    // Closing the window with its close control ends the dialog like Cancel.
    mObservedWindow = window();
    if (mObservedWindow && mObservedWindow != this) {
        mObservedWindow->installEventFilter(this);
    }
}

void PasswordDialogController::InitLanguage()
{
    labelPassword->setText(QString::fromStdString(LocalizedStrings::text("TitlePassword")));
    labelMessagePassword->setText(QString::fromStdString(LocalizedStrings::text("MessagePassword")));
    btnOK->setText(QString::fromStdString(LocalizedStrings::text("OK")));
    btnCancel->setText(QString::fromStdString(LocalizedStrings::text("Cancel")));
    WindowTitle::set(window(), labelPassword->text());
}

void PasswordDialogController::showScanner(const std::string& name, const std::string& address)
{
    loadViewIfNeeded();
    // A scanner typed in by its address may have no name yet. Isolated, so that
    // a name in Latin letters keeps its order in a right-to-left message.
    const std::string scanner =
        "\u2068" + (name.empty() ? address : name + " (" + address + ")") + "\u2069";
    labelMessagePassword->setText(QString::fromStdString(LocalizedStrings::format("MessagePasswordForScanner", {scanner})));
}

void PasswordDialogController::exitPasswordDialog(QAbstractButton* sender)
{
    if (!sender) {
        return;
    }
    QWidget* senderWindow = sender->window();
    senderWindow->hide();
    if (auto* dialog = qobject_cast<QDialog*>(senderWindow)) {
        dialog->done(sender->property("tag").toInt());
    }
}

void PasswordDialogController::closeInfoPanel()
{
    if (!mObservedWindow) {
        return;
    }
    QWidget* closing = mObservedWindow;
    closing->removeEventFilter(this);
    mObservedWindow = nullptr;
    closing->hide();
    if (auto* dialog = qobject_cast<QDialog*>(closing)) {
        dialog->done(0);
    }
}

bool PasswordDialogController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mObservedWindow && event->type() == QEvent::Close) {
        closeInfoPanel();
    }
    return ViewController::eventFilter(watched, event);
}
