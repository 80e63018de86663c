#pragma once

#include <QString>

#include "ViewController.h"

class ProcessTextFieldCell;
class ProgressIndicator;
namespace Ui {
class ProcessAnimationController;
}

// The content of the progress window: a turning indicator and the progress
// text, shown while a scan, a registration or a scanner search runs.
class ProcessAnimationController : public ViewController {
    Q_OBJECT
public:
    explicit ProcessAnimationController(QWidget* parent = nullptr);
    ~ProcessAnimationController() override;

    void viewDidLoad() override;

    ProgressIndicator* indicator = nullptr;
    ProcessTextFieldCell* labelProcess = nullptr;

    // The progress text.
    void setProgressText(const QString& text);
    QString progressText() const;

protected:
    void loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Ui::ProcessAnimationController* mUi = nullptr;
};
