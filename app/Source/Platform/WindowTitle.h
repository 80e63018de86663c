#pragma once

#include <QString>

class QWidget;

// The titles of the application's windows: the product's name and what the
// window is for ("Fernwick Vantix - Job list"), which is also the window's
// name for assistive technology. The application has no display name for Qt
// to add to titles by itself (it would add it a second time): every window
// it shows is titled here.
class WindowTitle {
public:
    // The title for that purpose (a text in the user's language); the
    // product's name alone for none.
    static QString text(const QString& purpose);
    static void set(QWidget* window, const QString& purpose);
};
