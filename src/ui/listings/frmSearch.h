#pragma once

#include "core/listings/ListFilter.h"

#include <QDialog>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLineEdit;

namespace teran {

class RegionCascade;
class SearchGrid;
class Session;

// `frmSearch` (종합검색): every criterion of a detailed search over the own or the shared list.
// `cmdSearch` turns the filled boxes into a filter with bound values, hands it to the list that
// opened the window (`searchRequested`) and closes; `cmdCancel` empties every box.
class frmSearch : public QDialog {
    Q_OBJECT
public:
    frmSearch(Session& session, ListKind target, QWidget* parent = nullptr);

    static QString titleText(); // "종합검색"
    ListKind target() const { return m_target; }

    // The filter of the boxes as filled, or nullopt with a message when a number box holds no
    // number.
    std::optional<ListFilter> readOrTell();
    void clear();

Q_SIGNALS:
    void searchRequested(const teran::ListFilter& filter);

private:
    void build();
    void buildTypeAndPlace(SearchGrid& grid);
    void buildBoxChoice(SearchGrid& grid);
    void buildRanges(SearchGrid& grid);
    void buildOtherFacts(SearchGrid& grid);
    void buildDateRange(SearchGrid& grid);
    void buildOwnerFacts(SearchGrid& grid);
    QHBoxLayout* buildButtons();
    void fillNames();
    QLineEdit* line(const char* name) const;
    QComboBox* combo(const char* name) const;
    template <typename T>
    bool bound(const char* from, const char* to, Bounds<T>& out, const QString& caption);

    Session& m_session;
    ListKind m_target;
    RegionCascade* m_region = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_name = nullptr;
    QButtonGroup* m_box = nullptr;
    QCheckBox* m_recent = nullptr;
    QCheckBox* m_byDate = nullptr;
    QComboBox* m_dateColumn = nullptr;
    QDateEdit* m_dateFrom = nullptr;
    QDateEdit* m_dateTo = nullptr;
    QButtonGroup* m_lotMatch = nullptr;
    QButtonGroup* m_unitMatch = nullptr;
    QButtonGroup* m_remarkMatch = nullptr;
    QButtonGroup* m_floorsJoin = nullptr;
    QButtonGroup* m_keywordsJoin = nullptr;
};

} // namespace teran
