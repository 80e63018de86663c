#include "ApplicationLog.h"

#include <system_error>

#include "RequestLog.h"

Q_LOGGING_CATEGORY(lcVantix, "fernwick.vantix", QtInfoMsg)

bool ApplicationLog::startRequestLog()
{
    const int error =
        RequestLog::start([](const std::string& line) { qCDebug(lcVantix).noquote() << QString::fromStdString(line); });
    if (error != 0) {
        qCWarning(lcVantix).noquote() << "The request log" << QString::fromStdString(RequestLog::filePath())
                                      << "cannot be written:"
                                      << QString::fromStdString(std::generic_category().message(error));
    }
    return error == 0;
}
