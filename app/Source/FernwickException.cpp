#include "FernwickException.h"

#include "MessagePresenter.h"

FernwickException::FernwickException(std::string title, std::string message)
    : mTitle(std::move(title)), mMessage(std::move(message))
{
}

FernwickException::FernwickException(std::string title, std::string message, const std::exception&)
    : FernwickException(std::move(title), std::move(message))
{
}

void FernwickException::showMessage() const
{
    MessagePresenter::present(mMessage);
}

void FernwickException::showMessage(const std::string&, const std::string& message)
{
    MessagePresenter::present(message);
}

void FernwickException::showMessage(const std::string&, const std::string& message, const std::exception& exception)
{
    MessagePresenter::present(message + "\n" + exception.what());
}
