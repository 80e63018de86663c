#pragma once

#include <QIcon>
#include <QString>

// Pictures by the names the screens use ("ic_photo.png"). The resources hold
// SVG drawings under those names; they are rendered at whatever size and pixel
// density they are drawn, so they stay sharp.
class NamedImage {
public:
    // The picture registered under the name, or a null icon for an unknown name.
    static QIcon imageNamed(const QString& name);
    static bool exists(const QString& name);
    // Where the picture of that name lives among the resources.
    static QString resourcePath(const QString& name);
};
