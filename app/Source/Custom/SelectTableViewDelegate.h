#pragma once

#include <cstdint>

class SelectTableView;

// Told about single clicks on the rows of a SelectTableView.
class SelectTableViewDelegate {
public:
    virtual ~SelectTableViewDelegate() = default;
    // A mouse press landed on the row (after the table has handled it).
    virtual void tableView(SelectTableView* table, int64_t row) = 0;
};
