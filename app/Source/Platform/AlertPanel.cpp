#include "AlertPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "ApplicationWindows.h"
#include "FWKVXSDK/InstallableHook.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "WindowTitle.h"

namespace {
constexpr int kMinimumWidth = 340;

InstallableHook<bool(const MessageAlert&, const std::string&)>& questionHandler()
{
    static InstallableHook<bool(const MessageAlert&, const std::string&)> handler;
    return handler;
}

InstallableHook<int(const std::string&, const std::vector<std::string>&)>& choiceHandler()
{
    static InstallableHook<int(const std::string&, const std::vector<std::string>&)> handler;
    return handler;
}

// Runs the box on the main thread with the buttons (the first is the default)
// and, when given, a cancel button; the index of the button chosen, -1 for
// cancel. A box that cannot be shown any more (the program is ending) counts
// as cancelled.
int runBox(const MessageAlert& alert, const std::vector<std::string>& buttons, const std::string* cancelTitle)
{
    int chosen = -1;
    MainThreadDispatcher::RunAndWait([&] {
        QMessageBox box(ApplicationWindows::mainWindow());
        WindowTitle::set(&box, QString());
        box.setIcon(QMessageBox::NoIcon);
        box.setText(QString::fromStdString(alert.headline));
        box.setInformativeText(QString::fromStdString(alert.informativeText));
        if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
            box.setLayoutDirection(Qt::RightToLeft);
        }
        std::vector<QPushButton*> pushButtons;
        for (const auto& title : buttons) {
            pushButtons.push_back(box.addButton(QString::fromStdString(title), QMessageBox::AcceptRole));
        }
        if (cancelTitle) {
            QPushButton* cancel = box.addButton(QString::fromStdString(*cancelTitle), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        }
        box.setDefaultButton(pushButtons.front());
        // Without a headline Qt makes the box as narrow as its shortest line
        // allows, wrapping even a short message.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            grid->addItem(new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
        box.exec();
        const auto clicked = std::find(pushButtons.begin(), pushButtons.end(), box.clickedButton());
        chosen = clicked == pushButtons.end() ? -1 : static_cast<int>(clicked - pushButtons.begin());
    });
    return chosen;
}
} // namespace

void AlertPanel::installAsPresenter()
{
    MessagePresenter::install([](const MessageAlert& alert) { runBox(alert, {alert.buttonTitle}, nullptr); });
}

void AlertPanel::showMessage(const std::string& informativeText)
{
    MessagePresenter::present(informativeText);
}

bool AlertPanel::askOkCancel(const std::string& informativeText)
{
    const MessageAlert alert{LocalizedStrings::text(""), informativeText, LocalizedStrings::text("OK")};
    const std::string cancel = LocalizedStrings::text("Cancel");
    if (const auto handler = questionHandler().current()) {
        return handler(alert, cancel);
    }
    return runBox(alert, {alert.buttonTitle}, &cancel) == 0;
}

int AlertPanel::choose(const std::string& informativeText, const std::vector<std::string>& buttons)
{
    if (const auto handler = choiceHandler().current()) {
        return handler(informativeText, buttons);
    }
    const MessageAlert alert{LocalizedStrings::text(""), informativeText, buttons.front()};
    const std::string cancel = LocalizedStrings::text("Cancel");
    return runBox(alert, buttons, &cancel);
}

void AlertPanel::setQuestionHandler(Question handler)
{
    questionHandler().install(std::move(handler));
}

void AlertPanel::setChoiceHandler(Choice handler)
{
    choiceHandler().install(std::move(handler));
}
