#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {
QPointer<QTranslator>& installed()
{
    static QPointer<QTranslator> translator;
    return translator;
}
} // namespace

bool QtTranslations::install(const QString& language)
{
    if (installed()) {
        QCoreApplication::removeTranslator(installed());
        delete installed();
    }
    if (language == QLatin1String("en")) {
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    // Owned by the application, so that it lives as long as the texts are shown.
    translator->setParent(QCoreApplication::instance());
    installed() = translator.release();
    QCoreApplication::installTranslator(installed());
    return true;
}
