#pragma once

#include <exception>
#include <string>

// The application's exception: thrown by validation and workflow code and
// caught in the same operation, which shows it. The title is kept but never
// displayed; only the message is shown.
class FernwickException : public std::exception {
public:
    FernwickException() = default;
    FernwickException(std::string title, std::string message);
    // The third argument is accepted and ignored.
    FernwickException(std::string title, std::string message, const std::exception& exception);

    const std::string& title() const { return mTitle; }
    void setTitle(std::string value) { mTitle = std::move(value); }
    const std::string& message() const { return mMessage; }
    void setMessage(std::string value) { mMessage = std::move(value); }

    // The message, so that an exception that escapes still says something.
    const char* what() const noexcept override { return mMessage.c_str(); }

    // Shows the message through the installed presenter and returns once it is dismissed.
    void showMessage() const;
    // Shows the given message; the title is not used.
    static void showMessage(const std::string& title, const std::string& message);
    // Shows the message and the exception's description on two lines; the title is not used.
    static void showMessage(const std::string& title, const std::string& message, const std::exception& exception);

private:
    std::string mTitle;
    std::string mMessage;
};
