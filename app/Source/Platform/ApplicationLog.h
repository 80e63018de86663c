#pragma once

#include <QLoggingCategory>

// The application's own debug output, off unless asked for:
// QT_LOGGING_RULES="fernwick.vantix.debug=true" shows it on standard error.
Q_DECLARE_LOGGING_CATEGORY(lcVantix)

class ApplicationLog {
public:
    // Starts the request log (RequestLog) with its lines also as debug output;
    // a log that cannot be opened is reported as a warning. False then.
    static bool startRequestLog();
};
