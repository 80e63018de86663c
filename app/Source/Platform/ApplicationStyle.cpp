#include "ApplicationStyle.h"

#include "LocalizedStrings.h"

ApplicationStyle::ApplicationStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

int ApplicationStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const
{
    if (hint == SH_UnderlineShortcut && LocalizedStrings::isRightToLeft()) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
