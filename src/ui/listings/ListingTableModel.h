#pragma once

#include "core/listing/ListingSelection.h"
#include "core/listings/ListQuery.h"

#include <QAbstractTableModel>
#include <QList>

namespace teran {

// One page of a listing list as the grid `lvMy` shows it: the cells of the page, right-aligned
// amounts, the colour of aged rows, and a tick box on each row. The helper columns of a set
// (state, hitadd, ...) stay in the model, so column positions match the layout files; the view
// hides them (isHiddenColumn), and the tick boxes sit in the first column that is shown.
class ListingTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListingTableModel(QObject* parent = nullptr);

    // Shows a new page; every tick is cleared. `tb` is the type of a one-type list (for labels).
    void setPage(ListPage page, const QString& tb = {});
    void clear();
    const ListPage& page() const { return m_page; }
    void setTotal(qint64 total) { m_page.setTotal(total); } // counted after the page was shown
    const ListItem* item(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool isHiddenColumn(int column) const;
    int checkColumn() const; // -1 without a visible column
    QString caption(int column) const;

    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    void tickAll();
    QList<int> tickedRows() const;
    // The ticked rows as the actions take them: own rows by their number, server rows by the
    // server's row number, each with its label.
    QList<ListingPick> tickedPicks() const;
    // The label of a row (type and name or address).
    QString label(int row) const;

private:
    bool holds(const QModelIndex& index) const;
    QVariant foreground(const ListItem& item) const;

    ListPage m_page;
    QString m_tb;
    QList<bool> m_ticked;
    int m_checkColumn = -1;
};

} // namespace teran
