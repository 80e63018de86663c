#pragma once

#include <QProxyStyle>

// The application's look: Qt's Fusion style, with access letters underlined,
// except in a language written right to left. There Qt would shape the
// underlined letter apart from its neighbours and break the joined letters
// of the script; Alt and the letter work all the same, and assistive
// technology names the key.
class ApplicationStyle : public QProxyStyle {
    Q_OBJECT
public:
    ApplicationStyle();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
