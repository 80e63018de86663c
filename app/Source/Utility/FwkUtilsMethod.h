#pragma once

class QAbstractItemModel;
class QHeaderView;
class QObject;
class QWidget;

// One header cell of a table column. Qt keeps a column's header text and its
// alignment in the model's header data rather than in a cell object.
struct TableColumnCell {
    QAbstractItemModel* model = nullptr;
    int section = 0;
};

// Mirroring of the screens for right-to-left languages. The application's own
// direction stays left to right, so Qt moves nothing by itself, and the
// interface descriptions place their views by frame with absolute alignments.
// Each screen runs this pass once over the views it loads: it mirrors frames
// and alignments and sets right to left on every view, which turns the inner
// parts of Qt's compound controls (check marks, pop-up arrows, table columns,
// scroll bars) around as well. So every screen is mirrored exactly once.
class FwkUtilsMethod {
public:
    // True unless the application runs in a right-to-left language.
    static bool isLTR_LayoutDirection();

    // Mirrors the view and every view below it; does nothing in left-to-right.
    static void layoutLeftToRight(QWidget* view);

    // Direction, image position and alignment of a cell; an absent cell is ignored.
    static void layoutLeftToRightOfExceptionCell(const TableColumnCell* cell);
    // Right-to-left direction on the view.
    static void changeUserInterfaceLayoutDirection(QWidget* view);
    // Image right of the title becomes left of it; any other position becomes right.
    // Acts on objects with an "imagePosition" property (the application's buttons).
    static void changeImagePosition(QObject* control);
    // Right becomes left, centre stays, left, justified and natural become right.
    // Acts on objects with an "alignment" property (labels, text fields).
    static void changeAlignment(QObject* control);
    static void changeAlignment(const TableColumnCell& cell);

    // Reverses the order of the table's columns: the column at position 0 moves
    // to the end, then the new position 0 one before it, and so on.
    static void reverseTableColumns(QHeaderView* header);

    // Image positions, numbered as the interface descriptions store them.
    enum ImagePosition {
        NoImage = 0,
        ImageOnly = 1,
        ImageLeft = 2,
        ImageRight = 3,
        ImageBelow = 4,
        ImageAbove = 5,
        ImageOverlaps = 6,
        ImageLeading = 7,
        ImageTrailing = 8,
    };
    // The alignment after mirroring, for a Qt alignment value (vertical flags kept).
    static int mirroredAlignment(int alignment);
};
