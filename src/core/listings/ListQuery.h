#pragma once

#include "ListCellFormat.h"
#include "ListColumnSets.h"
#include "ListFilter.h"
#include "ListSort.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QObject;

namespace teran {

class Session;
class SqlStore;

// One search of a list window: which list, the search inputs, the header sort, the page size
// as typed in `txtCount` and the page the window asks for.
struct ListRequest {
    ListRequest() = default;
    explicit ListRequest(ListKind listKind, ListFilter search = {}, SortState order = {},
                         QString rowsPerPage = {})
        : kind(listKind)
        , filter(std::move(search))
        , sort(std::move(order))
        , pageSizeText(std::move(rowsPerPage)) {}

    ListKind kind = ListKind::Own;
    ListFilter filter;
    SortState sort;
    QString pageSizeText; // txtCount: rows per page; 2 when empty or not a positive number
    int page = 1;         // 1-based; clamped to the pages there are
    int groupIdx = 0;     // the group of the group view
    QStringList clubIds;  // the club list: member ids from ClubMemberIds
    // The window shows the first page of a shared or club list before its total: many rows
    // take longer to count than to show fifty. The page then comes with totalPending set and
    // ListQuery::totalOf() counts them.
    bool totalLater = false;
    // The columns of the list saved to a file (sheetColumnsOf) instead of the window's.
    bool sheet = false;
};

// How an aged row of the own list is drawn.
struct RowMark {
    std::optional<quint32> colorNumber; // red + green * 256 + blue * 65536
    bool bold = false;
};

// One row of a page: the values the window's actions need and the text of every cell.
struct ListItem {
    int number = 0;    // table_idx of an own listing, sub_idx (the office's number) of a server one
    int serverIdx = 0; // the server's own table_idx of a shared or club row
    QString officeId;  // id of the owning office (server rows)
    QString subid;
    int state = 0;
    int hitadd = 0;
    int hitmem = 0;
    QString imgname1;
    QString imgname2;
    QStringList cells; // one per column of the set, hidden columns included
    std::optional<RowMark> mark;
};

struct ListPage {
    bool ok = true;
    QString error; // the store's description when !ok
    ListColumnSet columns;
    qint64 total = 0;
    int pageSize = 2;
    int page = 1;
    int pageCount = 1;
    QList<ListItem> rows;
    QStringList ignoredFilters; // search inputs the list's store cannot apply (ListWhere::ignored)
    // The first page came before its total (ListRequest::totalLater): total and pageCount count
    // only what is shown until the total is known.
    bool totalPending = false;
    // The server did not answer in time or the user cancelled the wait (the page is not ok).
    bool givenUp = false;

    QString countText() const; // "검색된 데이타가 총 N 건입니다."; while counting, searchingText()
    // What the status bar says after the search: the count, or why there is none.
    QString statusText() const;
    // The total counted after the page was shown: the count text and page count follow it.
    void setTotal(qint64 counted);
};

// Status bar texts of a search.
QString searchingText();                     // "데이타 검색중입니다. 잠시만 기다려 주세요."
QString foundText(qint64 total);             // "검색된 데이타가 총 N 건입니다."
QString loadingText(qint64 total, qint64 n); // "총 N 개의 데이타중 n 개 로딩중입니다."

// Rows per page from the text of `txtCount`: a positive whole number, else 2.
int pageSizeFrom(const QString& text);
// The number of pages for a total (at least 1) and a page number within them.
int pageCountOf(qint64 total, int pageSize);
int clampPage(int page, qint64 total, int pageSize);

// Shared and club lists show rows whose `showday` lies less than this many days back.
constexpr int kSharedWindowDays = 60;

using ListStatus = std::function<void(const QString&)>;

// The rows a list may show under a filter, for a statement of a caller's own: which store,
// " FROM maemul WHERE …" with its bound values, and whether the list can show nothing at all.
struct ListScope {
    bool server = false;
    QString from;
    QVariantList values;
    bool matchesNothing = false;
};

// The list routines of the three list windows. Each counts the matching rows in the store,
// reads one page and formats it; a failing statement is written to the daily log with the
// routine's label and the page comes back with ok == false.
class ListQuery {
public:
    explicit ListQuery(Session& session);

    // Runs the routine of the request's kind: MdbsqlQuery, MdbGroupQuery, MysqlQuery or
    // MysqlClubQuery. `status` hears the status bar texts while it runs.
    ListPage ListSearch(const ListRequest& request, const ListStatus& status = {});

    // The total of a page that came with totalPending; nullopt when the store failed (logged).
    std::optional<qint64> totalOf(const ListRequest& request);

    // The cut-off of the shared and club lists: rows changed at or before it are too old.
    QDateTime sharedCutOff() const;

    // What the request's list reads, with the same rules (the office's rows, a staff user's
    // private ones, the archive, the 60-day window of the shared lists, the club's members).
    ListScope scopeOf(const ListRequest& request) const;

private:
    struct Statement;
    ListPage run(const ListRequest& request, const Statement& statement, const ListStatus& status);
    Statement ownStatement(const ListRequest& request) const;
    Statement groupStatement(const ListRequest& request) const;
    Statement sharedStatement(const ListRequest& request) const;
    Statement clubStatement(const ListRequest& request) const;
    Statement statementOf(const ListRequest& request) const;
    std::optional<qint64> countFirst(SqlStore& store, const ListRequest& request, const Statement& st) const;
    static qint64 countAll(SqlStore& store, const Statement& st);
    QHash<QString, OfficeContact> officesOf(SqlStore& store, const QList<RawValues>& rows,
                                            const QString& label) const;
    std::optional<ColorRule> colorRule(SqlStore& store, const QString& label) const;

    Session& m_session;
};

// Member ids of the offices in the given clubs (`teranclub_mem`), for the club list; with a
// type only clubs that share that type count. Empty for no clubs. Throws StoreError.
QStringList ClubMemberIds(SqlStore& server, const QList<int>& clubs, const QString& tb = {});

// The choices of the search panel's progress box: the distinct non-empty `ming` values, sorted.
QStringList distinctProgressValues(SqlStore& store);
QStringList distinctProgressValues(Session& session); // of the office database
// The progress states (진행상태) every office has from its first listing on: "진행중", "완료",
// "보류".
QStringList progressStates();
// The items of the progress box where a listing is written: the usual states, then the other
// states the office's listings hold, sorted. Throws StoreError.
QStringList progressChoices(SqlStore& store);
QStringList progressChoices(Session& session); // of the office database
// The choices of the name box (`cboName`) of a type: the distinct non-empty values of its name
// column (nameFilterColumn), sorted. Throws StoreError.
QStringList distinctNames(SqlStore& store, const QString& tb);
// The same for the detailed search of a list: the office's own names, or the shared ones.
QStringList distinctNames(Session& session, ListKind list, const QString& tb);
// The distinct non-empty values stored in a listing column for one type, in order: what the
// registration form offers in its boxes filled from earlier values. Throws StoreError for a
// name that is no listing column.
QStringList storedValuesOf(SqlStore& store, const QString& tb, const QString& column);
QStringList storedValuesOf(Session& session, const QString& tb,
                           const QString& column); // of the office database

// A page of a list as a window shows it. The server's lists (shared, club) are read by the
// session's ServerReader, off the window's thread, when the program runs one: the window handles
// its events while it waits and `cancelled` is asked all the while; a read given up (cancelled,
// or a server that does not answer) comes back not ok. The others are read in place.
ListPage searchList(Session& session, const ListRequest& request, const ListStatus& status = {},
                    const std::function<bool()>& cancelled = {});
// The total of a page that came with totalPending, handed to `done` on the thread of `context`
// (at once when read in place); nullopt when the store failed.
void countListLater(Session& session, const ListRequest& request, QObject* context,
                    std::function<void(std::optional<qint64>)> done);

} // namespace teran
