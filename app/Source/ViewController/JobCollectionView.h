#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <cstdint>
#include <functional>
#include <set>

class JobCollectionView;
class JobCollectionViewItem;
class QKeyEvent;
class QLabel;

// Where a tile sits: the section (the grid has one) and the tile's index in it.
struct IndexPath {
    int64_t section = 0;
    int64_t item = 0;

    bool operator<(const IndexPath& other) const
    {
        return section != other.section ? section < other.section : item < other.item;
    }
    bool operator==(const IndexPath& other) const { return section == other.section && item == other.item; }
};

// What fills the grid: the number of tiles, and each tile filled for its place.
class JobCollectionViewDataSource {
public:
    virtual ~JobCollectionViewDataSource() = default;
    virtual int64_t collectionView(JobCollectionView* collectionView, int64_t numberOfItemsInSection) = 0;
    // A tile from makeItemWithIdentifier, filled for the index path.
    virtual JobCollectionViewItem* collectionView(JobCollectionView* collectionView,
                                                  const IndexPath& itemForRepresentedObjectAtIndexPath) = 0;
};

// The grid of job tiles: rows of equal tiles in reading order (from the right
// in a right-to-left language), scrolled vertically. Clicking a tile selects
// it; so do the arrow keys. The grid is one stop of the window's keyboard
// loop: Tab never walks through the tiles. From the grid it goes on to the
// selected tile's edit and remove buttons, if a tile is selected, and then
// leaves the grid for the next view of the loop; Shift-Tab takes the same
// stops the other way round. Assistive technology sees a list whose items are
// the tiles (AccessibleJobGrid), told of each change of the selection.
class JobCollectionView : public QScrollArea {
    Q_OBJECT
public:
    // Room around the tiles for the grid's focus ring.
    static constexpr int kFocusMargin = 3;
    static constexpr int kMinimumColumnSpacing = 8;
    static constexpr int kMaximumColumnSpacing = 16;
    static constexpr int kRowSpacing = 12;
    static constexpr int kEmptyTextTop = 48;

    explicit JobCollectionView(QWidget* parent = nullptr);
    ~JobCollectionView() override;

    void setDataSource(JobCollectionViewDataSource* dataSource) { mDataSource = dataSource; }
    // Tiles of the interface description of that name are made for the identifier.
    void registerNib(const QString& nibName, const QString& identifier);
    // A tile of the identifier for the index path: one the last reload set aside
    // when there is one, else a new one; null for an identifier never registered.
    JobCollectionViewItem* makeItemWithIdentifier(const QString& identifier, const IndexPath& indexPath);
    // Asks the data source for every tile again. The selection is cleared: an
    // index may stand for another job afterwards.
    void reloadData();

    int64_t numberOfItems() const { return mItems.size(); }
    JobCollectionViewItem* itemAtIndex(int64_t index) const;
    // The index paths of the selected tiles, ascending.
    std::set<IndexPath> selectionIndexPaths() const;
    // Selects that one tile (nothing for an index out of range) and scrolls it into view.
    void selectItem(int64_t index);
    void deselectAll();
    // Tiles per row at the current width.
    int columnCount() const { return mColumns; }
    // One line of help shown in the grid while it has no tiles.
    void setEmptyText(const QString& text);
    QString emptyText() const;

    // The grid's keyboard handling (see the class comment).
    void keyDown(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutItems();
    // Moves the selection by the arrow key's step; nothing without a selection.
    void moveSelection(int key);
    // The stops of the keyboard loop inside the grid: the grid, then the selected
    // tile's buttons.
    QList<QWidget*> innerKeyViews();
    // The next view of the window's keyboard loop outside the grid.
    QWidget* keyViewOutside(bool next);
    int64_t indexOfItemAt(const QPoint& contentPosition) const;
    // Tells assistive technology of a change of the selected tile, and of the
    // focus on it while the grid has the keyboard focus.
    void announceSelection(JobCollectionViewItem* previous, JobCollectionViewItem* current);
    void announceFocus();

    JobCollectionViewDataSource* mDataSource = nullptr;
    QHash<QString, std::function<JobCollectionViewItem*()>> mFactories;
    QList<JobCollectionViewItem*> mItems;
    QList<JobCollectionViewItem*> mReusable;
    QWidget* mContent = nullptr;
    QLabel* mEmptyText = nullptr;
    int64_t mSelected = -1;
    int mColumns = 1;
    // Set while the grid itself moves the focus between its stops.
    bool mMovingInside = false;
};
