#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <memory>

#include "CustomMaskView.h"
#include "ModalSession.h"

class ProcessAnimationController;
class QDialog;
class QString;
class QWidget;
class WindowController;

// Showing the progress window over the main window while a long operation
// runs, and closing it again. While it is shown, the progress window is modal
// for the application and a mask dims the main window and swallows its clicks.
class ProgressWindowPresenter {
public:
    // What a flow keeps between showing and closing.
    struct Presentation {
        ModalSession session;
        QPointer<CustomMaskView> mask;
    };

    // Makes a new progress window from its interface description into the
    // screen's three fields, mirrored for the writing direction, with the text.
    static void prepare(std::unique_ptr<WindowController>& controller, QDialog*& window,
                        ProcessAnimationController*& view, const QString& text);

    // Begins the modal session, covers the main window with a new mask, centres
    // the progress window over the main window and brings it to the front.
    static Presentation show(QWidget* mainWindow, QWidget* progressWindow);
    // Stops the modal state, ends the session, hides the window, removes the mask.
    static void close(Presentation& presentation, QWidget* progressWindow);

    // The progress window's new origin: centred over the main window, halves
    // cut towards zero. Frames of absent windows are empty rectangles.
    static QPoint centredOrigin(const QRect& mainFrame, const QRect& progressFrame);
    // The view that the mask covers: the main window's content.
    static QWidget* contentView(QWidget* window);
};
