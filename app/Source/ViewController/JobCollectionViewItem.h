#pragma once

#include <QString>

#include "ViewController.h"

class JobCollectionButton;
class JobItemBackgroundView;
class QAbstractButton;
class QLabel;
namespace Ui {
class JobCollectionViewItem;
}

// One job tile of the job list: number, name and a picture of the file format
// on a card that is drawn highlighted while the tile is selected, with buttons
// to edit and to remove the job. The tile knows its job only by the number it
// shows; its commands go along the responder chain to whichever view above it
// carries them out (the job list).
class JobCollectionViewItem : public ViewController {
    Q_OBJECT
public:
    explicit JobCollectionViewItem(QWidget* parent = nullptr);
    ~JobCollectionViewItem() override;

    void viewDidLoad() override;
    // Mirrors the selection on the card.
    void setSelected(bool flag);
    // What assistive technology reads for the tile ("Job 3, Invoices, PDF")
    // and for its buttons ("Edit job 3, Invoices").
    void describeJob(const QString& number, const QString& name, const QString& format);
    // The view that stands for the tile in the accessibility tree: its card,
    // which is drawn selected (AccessibleJobTile).
    QWidget* accessibleItem() const;

    // Mirrors the selection.
    bool highlighted = false;
    // The number and name texts, copied from their fields just before a command is sent.
    QString jobnumber;
    QString jobname;
    JobCollectionButton* editbutton = nullptr;
    JobCollectionButton* removebutton = nullptr;
    JobItemBackgroundView* jobbackgroundview = nullptr;
    QLabel* jobnumbertextfield = nullptr;
    QLabel* jobnametextfield = nullptr;
    QLabel* formatimageview = nullptr;

public slots:
    // Send "editjob" respectively "removejob" with the tile as sender.
    void editjobItem(QAbstractButton* sender);
    void removejobItem(QAbstractButton* sender);

protected:
    void loadView() override;

private:
    void sendToResponder(const char* action, QAbstractButton* sender);

    Ui::JobCollectionViewItem* mUi = nullptr;
};
