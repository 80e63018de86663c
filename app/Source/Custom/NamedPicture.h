#pragma once

#include <QIcon>
#include <QString>

#include "NamedImage.h"

// A picture of a control that an interface description may give by its name
// among the application's images, or code may give directly.
struct NamedPicture {
    QString name;
    QIcon image;

    void setName(const QString& pictureName)
    {
        name = pictureName;
        image = NamedImage::imageNamed(pictureName);
    }
    void setImage(const QIcon& picture)
    {
        image = picture;
        name.clear();
    }
};
