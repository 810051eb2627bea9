#pragma once

#include "dialogs/add_item_view.h"

#include <QAbstractListModel>
#include <QIcon>

#include <string>
#include <vector>

namespace quivanto {

// The rows of a folder or file list: names kept as the system's bytes and turned into
// text only when a row is drawn, so a folder of many thousand names lists quickly.
class NameListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int DepthRole = Qt::UserRole + 1;

    using Row = FolderEntry;

    explicit NameListModel(QObject* parent);

    void setRows(std::vector<Row> rows);
    void setIcons(QIcon open, QIcon closed);

    const Row& rowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<Row> rows_;
    QIcon openIcon_;
    QIcon closedIcon_;
};

} // namespace quivanto
