#include "ProcessAnimationController.h"

#include <QKeyEvent>
#include <QPainter>

#include "ProcessTextFieldCell.h"
#include "ProgressIndicator.h"
#include "ui_ProcessAnimation.h"

ProcessAnimationController::ProcessAnimationController(QWidget* parent) : ViewController(parent) {}

ProcessAnimationController::~ProcessAnimationController()
{
    delete mUi;
}

void ProcessAnimationController::loadView()
{
    mUi = new Ui::ProcessAnimationController;
    mUi->setupUi(this);
    indicator = mUi->indicator;
    labelProcess = mUi->labelProcess;
}

void ProcessAnimationController::viewDidLoad()
{
    ViewController::viewDidLoad();
    indicator->startAnimation();
    // Only the operation it shows closes the window (by hiding it): neither
    // Escape nor a close request may end its modal state while the operation runs.
    if (QWidget* ownWindow = window(); ownWindow != this) {
        ownWindow->installEventFilter(this);
    }
}

bool ProcessAnimationController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window()) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true;
        }
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

void ProcessAnimationController::setProgressText(const QString& text)
{
    loadViewIfNeeded();
    labelProcess->setText(text);
    // What the indicator is busy with, for assistive technology.
    indicator->setAccessibleName(text);
}

QString ProcessAnimationController::progressText() const
{
    return labelProcess ? labelProcess->text() : QString();
}

void ProcessAnimationController::paintEvent(QPaintEvent*)
{
    // A white panel with a thin frame: the window itself has no title bar.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xc8, 0xc8, 0xc8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
