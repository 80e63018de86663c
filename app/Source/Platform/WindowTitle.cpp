#include "WindowTitle.h"

#include <QWidget>

#include "InfoDictionary.h"
#include "LocalizedStrings.h"

QString WindowTitle::text(const QString& purpose)
{
    const std::string product = InfoDictionary::objectForKey("CFBundleName").value_or(std::string());
    if (purpose.isEmpty()) {
        return QString::fromStdString(product);
    }
    return QString::fromStdString(LocalizedStrings::format("WindowTitle", {product, purpose.toStdString()}));
}

void WindowTitle::set(QWidget* window, const QString& purpose)
{
    if (window) {
        window->setWindowTitle(text(purpose));
    }
}
