#include "ErrorMessage.h"

ErrorMessage::ErrorMessage(std::string title, std::string message)
    : mTitle(std::move(title)), mMessage(std::move(message))
{
}
