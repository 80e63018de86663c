#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "MessagePresenter.h"

// Modal message boxes in the application's alert form: an empty headline, the
// message as informative text and the buttons' texts from the string table.
// Boxes are always shown on the main thread, whichever thread asks.
class AlertPanel {
public:
    using Question = std::function<bool(const MessageAlert& alert, const std::string& cancelTitle)>;
    // Answers a choice in tests: the index of the chosen button, -1 for "Cancel".
    using Choice = std::function<int(const std::string& informativeText, const std::vector<std::string>& buttons)>;

    // Shows every MessagePresenter alert as a box over the main window.
    static void installAsPresenter();
    // One "OK" button; returns once it is dismissed.
    static void showMessage(const std::string& informativeText);
    // "OK" and "Cancel"; true when the user chose "OK".
    static bool askOkCancel(const std::string& informativeText);
    // The buttons in their order (the first is the default) and "Cancel";
    // the index of the chosen button, -1 for "Cancel" or a closed box.
    static int choose(const std::string& informativeText, const std::vector<std::string>& buttons);
    // Tests answer questions and choices here instead of a box (empty: boxes again).
    static void setQuestionHandler(Question handler);
    static void setChoiceHandler(Choice handler);
};
