#pragma once

#include <string>

#include "FWKVXSDK/AtomicProperty.h"

// One title/message pair of already-localised texts.
class ErrorMessage {
public:
    ErrorMessage(std::string title, std::string message);

    std::string title() const { return mTitle.get(); }
    void setTitle(std::string value) { mTitle.set(std::move(value)); }
    std::string message() const { return mMessage.get(); }
    void setMessage(std::string value) { mMessage.set(std::move(value)); }

private:
    AtomicProperty<std::string> mTitle;
    AtomicProperty<std::string> mMessage;
};
