#include "ListingTableModel.h"

#include "core/listings/ListingPickLabel.h"
#include "ui/widgets/ColorNumber.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace teran {

ListingTableModel::ListingTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void ListingTableModel::setPage(ListPage page, const QString& tb) {
    beginResetModel();
    m_page = std::move(page);
    m_tb = tb;
    m_ticked = QList<bool>(m_page.rows.size(), false);
    m_checkColumn = -1;
    for (int i = 0; i < m_page.columns.size(); ++i)
        if (!m_page.columns.at(i).hidden) {
            m_checkColumn = i;
            break;
        }
    endResetModel();
}

void ListingTableModel::clear() {
    setPage({});
}

const ListItem* ListingTableModel::item(int row) const {
    return row >= 0 && row < m_page.rows.size() ? &m_page.rows.at(row) : nullptr;
}

int ListingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_page.rows.size());
}

int ListingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_page.columns.size());
}

bool ListingTableModel::holds(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < columnCount();
}

QVariant ListingTableModel::foreground(const ListItem& item) const {
    if (!item.mark || !item.mark->colorNumber)
        return {};
    return QBrush(colorOfNumber(*item.mark->colorNumber));
}

QVariant ListingTableModel::data(const QModelIndex& index, int role) const {
    if (!holds(index))
        return {};
    const ListItem& row = m_page.rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return row.cells.value(index.column());
    case Qt::TextAlignmentRole:
        return int((m_page.columns.at(index.column()).rightAligned ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    case Qt::CheckStateRole:
        if (index.column() != m_checkColumn)
            return {};
        return m_ticked.at(index.row()) ? Qt::Checked : Qt::Unchecked;
    case Qt::ForegroundRole:
        return foreground(row);
    case Qt::FontRole:
        if (row.mark && row.mark->bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

bool ListingTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !holds(index) || index.column() != m_checkColumn)
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (m_ticked.at(index.row()) != ticked) {
        m_ticked[index.row()] = ticked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    }
    return true;
}

QVariant ListingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_page.columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_page.columns.at(section).caption;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags ListingTableModel::flags(const QModelIndex& index) const {
    if (!holds(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == m_checkColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ListingTableModel::isHiddenColumn(int column) const {
    return column >= 0 && column < m_page.columns.size() && m_page.columns.at(column).hidden;
}

int ListingTableModel::checkColumn() const {
    return m_checkColumn;
}

QString ListingTableModel::caption(int column) const {
    return column >= 0 && column < m_page.columns.size() ? m_page.columns.at(column).caption : QString();
}

bool ListingTableModel::isTicked(int row) const {
    return row >= 0 && row < m_ticked.size() && m_ticked.at(row);
}

void ListingTableModel::setTicked(int row, bool ticked) {
    if (row < 0 || row >= m_ticked.size() || m_checkColumn < 0)
        return;
    setData(index(row, m_checkColumn), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void ListingTableModel::tickAll() {
    if (m_ticked.isEmpty() || m_checkColumn < 0)
        return;
    m_ticked.fill(true);
    Q_EMIT dataChanged(index(0, m_checkColumn), index(rowCount() - 1, m_checkColumn), {Qt::CheckStateRole});
}

QList<int> ListingTableModel::tickedRows() const {
    QList<int> rows;
    for (int i = 0; i < m_ticked.size(); ++i)
        if (m_ticked.at(i))
            rows << i;
    return rows;
}

QString ListingTableModel::label(int row) const {
    const ListItem* it = item(row);
    return it ? pickLabel(m_page.columns, it->cells, m_tb, it->number) : QString();
}

QList<ListingPick> ListingTableModel::tickedPicks() const {
    QList<ListingPick> picks;
    for (int row : tickedRows()) {
        const ListItem& it = m_page.rows.at(row);
        picks << ListingPick{it.serverIdx > 0 ? it.serverIdx : it.number, label(row)};
    }
    return picks;
}

} // namespace teran
