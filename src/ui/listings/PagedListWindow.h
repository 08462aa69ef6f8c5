#pragma once

#include "ListWindow.h"
#include "core/listings/ListQuery.h"
#include "core/session/LayoutFile.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace teran {

class ListingTableModel;
class Session;
class SettingsStore;

// What the own and the shared list windows have in common: the grid `lvMy` over one page of
// the list, the page size `txtCount`, the boxes `chkGojung` and `chkSearchAll`, tick all,
// print, the saved column widths, paging, and sorting by a click on a column header. The
// subclasses say which list they query and what a click on a row does.
class PagedListWindow : public ListWindow {
    Q_OBJECT
public:
    explicit PagedListWindow(Session& session, QWidget* parent = nullptr);

    void search(const ListFilter& panel) override;
    void refresh() override;
    QList<ListingPick> tickedPicks() const override;
    int chosenRow() const;
    int currentNumber() const override;
    int currentServerRow() const override;
    // Opens the comprehensive search over this list (cmdDetail).
    class frmSearch* openDetailedSearch();

    QTableView* grid() const { return m_grid; }
    ListingTableModel* model() const { return m_model; }
    const SortState& sortState() const { return m_sort; }
    int currentPage() const { return m_page; }
    // Shows another page of the same search (clamped to the pages there are).
    void goToPage(int page);
    // The list the grid shows now and its type ("" for every type).
    ListKind shownKind() const { return m_shownKind; }
    // The file with the saved column widths of the list shown.
    LayoutFile widthsFile() const;

protected:
    virtual ListKind queryKind() const { return kind(); }
    virtual void adjustRequest(ListRequest& request) const { Q_UNUSED(request) }
    virtual QString windowName() const = 0;
    // May throw the stores' error when a store fails; the window logs it with the click's label.
    virtual void rowClicked(const ListItem& item) = 0;
    virtual void rowDoubleClicked(const ListItem& item) = 0;
    virtual bool readFixedPage(const SettingsStore& settings) const = 0;
    virtual void writeFixedPage(SettingsStore& settings, bool fixed) = 0;

    Session& session() const { return m_session; }
    QVBoxLayout* body() const { return m_body; }       // controls above the grid go here
    QHBoxLayout* buttons() const { return m_buttons; } // the row of buttons above the grid
    // Reads the stored page size and fixed-page box; the subclasses call it once built.
    void loadSettings();
    void runSearch();
    QString logLabel(const QString& routine) const;
    void notice(const QString& text) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildGrid();
    ListRequest currentRequest() const;
    void exportSheet();
    void applyFontSize();
    void buildPaging();
    void showPage(const ListPage& page, ListKind kind, const QString& tb);
    void showPaging(const ListPage& page);
    void countAfterShowing(const ListRequest& request);
    void applyColumns();
    void placeColumns();
    void storePageSize();
    void storeFixedPage(bool fixed);
    void headerClicked(int section);
    void cellClicked(const QModelIndex& index);
    void cellDoubleClicked(const QModelIndex& index);
    void tickAll();
    void print();
    void saveWidths();

    Session& m_session;
    ListingTableModel* m_model;
    QVBoxLayout* m_body = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_count = nullptr;
    QCheckBox* m_fixed = nullptr;
    QCheckBox* m_allTypes = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;

    ListFilter m_panel;
    SortState m_sort;
    int m_page = 1;
    int m_searches = 0; // a count that comes after a newer search is dropped
    ListKind m_shownKind = ListKind::Own;
    QString m_shownType;
};

QString emptyGridText(); // "등록된 매물이 없습니다."
QString nothingToPrintText();
QString printTitle(); // "인쇄하기"

} // namespace teran
