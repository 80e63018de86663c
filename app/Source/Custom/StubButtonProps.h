#pragma once
// Placeholder until the application's controls land.
#include <QPushButton>
#include "NamedImage.h"
class StubButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int eventState READ eventState WRITE setEventState)
    Q_PROPERTY(bool trackingAreaEnabled READ trackingAreaEnabled WRITE setTrackingAreaEnabled)
    Q_PROPERTY(int imagePosition READ imagePosition WRITE setImagePosition)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius)
    Q_PROPERTY(QString scanerImageName READ scanerImageName WRITE setScanerImageName)
    Q_PROPERTY(QString selectedStateImageName READ selectedStateImageName WRITE setSelectedStateImageName)
    Q_PROPERTY(QString unselectedStateImageName READ unselectedStateImageName WRITE setUnselectedStateImageName)
    Q_PROPERTY(QString backgroundEnableImageName READ backgroundEnableImageName WRITE setBackgroundEnableImageName)
    Q_PROPERTY(QString backgroundDisableImageName READ backgroundDisableImageName WRITE setBackgroundDisableImageName)
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    explicit StubButton(QWidget* parent = nullptr) : QPushButton(parent) {}
    QString imageName() const { return mImage; }
    void setImageName(const QString& n) { mImage = n; setIcon(NamedImage::imageNamed(n)); }
    int eventState() const { return m_eventState; }
    void setEventState(int v) { m_eventState = v; }
    bool trackingAreaEnabled() const { return m_trackingAreaEnabled; }
    void setTrackingAreaEnabled(bool v) { m_trackingAreaEnabled = v; }
    int imagePosition() const { return m_imagePosition; }
    void setImagePosition(int v) { m_imagePosition = v; }
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double v) { m_cornerRadius = v; }
    QString scanerImageName() const { return m_scanerImageName; }
    void setScanerImageName(QString v) { m_scanerImageName = v; }
    QString selectedStateImageName() const { return m_selectedStateImageName; }
    void setSelectedStateImageName(QString v) { m_selectedStateImageName = v; }
    QString unselectedStateImageName() const { return m_unselectedStateImageName; }
    void setUnselectedStateImageName(QString v) { m_unselectedStateImageName = v; }
    QString backgroundEnableImageName() const { return m_backgroundEnableImageName; }
    void setBackgroundEnableImageName(QString v) { m_backgroundEnableImageName = v; }
    QString backgroundDisableImageName() const { return m_backgroundDisableImageName; }
    void setBackgroundDisableImageName(QString v) { m_backgroundDisableImageName = v; }
private:
    QString mImage;
    int m_eventState{};
    bool m_trackingAreaEnabled{};
    int m_imagePosition{};
    double m_cornerRadius{};
    QString m_scanerImageName{};
    QString m_selectedStateImageName{};
    QString m_unselectedStateImageName{};
    QString m_backgroundEnableImageName{};
    QString m_backgroundDisableImageName{};
};
