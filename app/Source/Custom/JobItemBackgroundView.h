#pragma once

#include <QColor>
#include <QPainterPath>
#include <QWidget>
#include <cstdint>

// The card behind a job tile: a rounded rectangle whose bottom-left corner is
// cut much wider than the other three, grey edged at rest and orange edged
// while the tile is selected.
class JobItemBackgroundView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int highlightState READ highlightState)
public:
    static constexpr double kLargeRadius = 19;
    static constexpr double kSmallRadius = 4;
    // Distance of a corner curve's control points from the corner's end points,
    // as a share of the radius (a close fit to a quarter circle).
    static constexpr double kControlPointShare = 0.553;

    explicit JobItemBackgroundView(QWidget* parent = nullptr);

    void setHighlight(bool highlighted);
    int32_t highlightState() const { return mHighlightState; }

    // 0xRRGGBB, each byte divided by 255, opaque.
    static QColor colorWithDeviceRGB(uint32_t rgb);
    // The card outline over the rectangle: radius 19 at the bottom-left corner,
    // 4 at the others, each corner one cubic curve.
    static QPainterPath contentsPathWithFrame(const QRectF& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t mHighlightState = 0;
};
