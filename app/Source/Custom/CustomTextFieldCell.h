#pragma once

#include <QLineEdit>

// A single-line text field whose text is drawn, edited and selected in its
// frame inset top and bottom by verticalInset(), which centres one line of its
// font a little above the middle of a tall field. A QLineEdit, because one set
// of text margins governs drawing, editing and selecting alike.
class CustomTextFieldCell : public QLineEdit {
    Q_OBJECT
public:
    explicit CustomTextFieldCell(QWidget* parent = nullptr);

    // floor((H - (ascent + descent)) / 2) - 5, with the descent counted positive.
    static int verticalInset(double frameHeight, double ascent, double descent);
    // The inset in force: a negative one (a field too low for its font) would
    // push the text out of the frame, so none is applied then.
    int appliedVerticalInset() const;

    // The natural size leaves the inset out: it depends on the height it would set.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateInset();
};
