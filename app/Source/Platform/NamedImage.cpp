#include "NamedImage.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <memory>

namespace {
// Draws an SVG resource at the requested size; shares one renderer between the
// copies of an icon.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(std::shared_ptr<QSvgRenderer> renderer) : mRenderer(std::move(renderer)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        if (mode == QIcon::Disabled) {
            painter->setOpacity(painter->opacity() * 0.4);
        }
        mRenderer->render(painter, QRectF(rect));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SvgIconEngine(mRenderer); }
    QString key() const override { return QStringLiteral("vantix-svg"); }

private:
    std::shared_ptr<QSvgRenderer> mRenderer;
};
} // namespace

QString NamedImage::resourcePath(const QString& name)
{
    return QStringLiteral(":/images/") + name;
}

bool NamedImage::exists(const QString& name)
{
    return !name.isEmpty() && QFile::exists(resourcePath(name));
}

QIcon NamedImage::imageNamed(const QString& name)
{
    if (!exists(name)) {
        return {};
    }
    auto renderer = std::make_shared<QSvgRenderer>(resourcePath(name));
    if (!renderer->isValid()) {
        return {};
    }
    return QIcon(new SvgIconEngine(std::move(renderer)));
}
