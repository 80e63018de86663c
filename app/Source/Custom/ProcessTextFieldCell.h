#pragma once

#include <QLabel>
#include <QRectF>

// The progress window's text: one or more lines, wrapped to the label's width
// and centred as a block on the middle of the label.
class ProcessTextFieldCell : public QLabel {
    Q_OBJECT
public:
    explicit ProcessTextFieldCell(QWidget* parent = nullptr);

    // Where the text is drawn: as wide as the title rectangle, as high as the
    // text's bounds, its top at half the title height less half the text
    // height (each cut to whole points), measured from the title rectangle.
    static QRectF drawingRect(const QRectF& titleRect, const QRectF& textBounds);
    // The text's bounds when wrapped into the title rectangle (empty text: none).
    QRectF textBounds(const QRectF& titleRect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int textFlags() const;
};
