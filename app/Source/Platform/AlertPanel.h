#pragma once

#include <QString>
#include <functional>

#include "MessagePresenter.h"

// Modal message boxes in the application's alert form: an empty headline, the
// message as informative text and the buttons' texts from the string table.
// Boxes are always shown on the main thread, whichever thread asks.
class AlertPanel {
public:
    using Question = std::function<bool(const MessageAlert& alert, const std::string& cancelTitle)>;

    // Shows every MessagePresenter alert as a box over the main window.
    static void installAsPresenter();
    // One "OK" button; returns once it is dismissed.
    static void showMessage(const std::string& informativeText);
    // "OK" and "Cancel"; true when the user chose "OK".
    static bool askOkCancel(const std::string& informativeText);
    // Tests answer questions here instead of a box (empty: boxes again).
    static void setQuestionHandler(Question handler);
};
