#pragma once

#include <functional>
#include <string>

// What an alert shows: an empty headline, the informative text and one
// confirming button.
struct MessageAlert {
    std::string headline;        // the text for the empty key, i.e. empty
    std::string informativeText;
    std::string buttonTitle;     // the text for "OK"
};

// How the program shows a message and waits until the user has taken note of
// it. The desktop application installs a modal message box, the command-line
// tool a writer to standard error. Without an installed presenter the
// informative text goes to standard error.
class MessagePresenter {
public:
    using Presenter = std::function<void(const MessageAlert& alert)>;

    // An empty presenter restores the default.
    static void install(Presenter presenter);
    // Shows the alert built for the text; returns when it has been dismissed.
    static void present(const std::string& informativeText);
};
