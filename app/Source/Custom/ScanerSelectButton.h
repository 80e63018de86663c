#pragma once

#include <QRectF>
#include <cstdint>

#include "NamedPicture.h"
#include "PaintedButton.h"

// The scanner selector of the job list: a white panel with a scanner picture,
// a mark that tells whether a scanner has been picked, and the scanner's name.
class ScanerSelectButton : public PaintedButton {
    Q_OBJECT
    Q_PROPERTY(qint64 selectedState READ selectedState WRITE setSelectedState)
    Q_PROPERTY(bool isLTR READ isLTR WRITE setIsLTR)
    Q_PROPERTY(QString scanerImageName READ scanerImageName WRITE setScanerImageName)
    Q_PROPERTY(QString selectedStateImageName READ selectedStateImageName WRITE setSelectedStateImageName)
    Q_PROPERTY(QString unselectedStateImageName READ unselectedStateImageName WRITE setUnselectedStateImageName)
public:
    static constexpr double kScanerSide = 40;
    static constexpr double kStateSide = 12;
    static constexpr double kTitleMargin = 10; // kept free at the far edge before the title is cut short

    struct ContentLayout {
        QRectF scaner;
        QRectF state;
        QRectF title;
    };
    // Where the three parts go on a face of the given size.
    static ContentLayout layoutContents(const QSizeF& face, const QSizeF& titleSize, bool isLTR);
    // Width left for the title on a face of that width.
    static double availableTitleWidth(double faceWidth, bool isLTR);

    explicit ScanerSelectButton(QWidget* parent = nullptr);

    int64_t selectedState() const { return mSelectedState; }
    void setSelectedState(int64_t state);
    bool isLTR() const { return mIsLTR; }
    void setIsLTR(bool leftToRight);

    QIcon scanerImage() const { return mScanerPicture.image; }
    void setScanerImage(const QIcon& image) { mScanerPicture.setImage(image); update(); }
    QIcon selectedStateImage() const { return mSelectedPicture.image; }
    void setSelectedStateImage(const QIcon& image) { mSelectedPicture.setImage(image); update(); }
    QIcon unselectedStateImage() const { return mUnselectedPicture.image; }
    void setUnselectedStateImage(const QIcon& image) { mUnselectedPicture.setImage(image); update(); }

    QString scanerImageName() const { return mScanerPicture.name; }
    void setScanerImageName(const QString& name) { mScanerPicture.setName(name); update(); }
    QString selectedStateImageName() const { return mSelectedPicture.name; }
    void setSelectedStateImageName(const QString& name) { mSelectedPicture.setName(name); update(); }
    QString unselectedStateImageName() const { return mUnselectedPicture.name; }
    void setUnselectedStateImageName(const QString& name) { mUnselectedPicture.setName(name); update(); }

protected:
    void awakeFromInterface() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int64_t mSelectedState = 0;
    bool mIsLTR;
    NamedPicture mScanerPicture;
    NamedPicture mSelectedPicture;
    NamedPicture mUnselectedPicture;
};
