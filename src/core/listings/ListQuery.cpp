#include "ListQuery.h"
#include "core/store/RowWriter.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingCounts.h"
#include "core/listing/ListingTextIndex.h"
#include "core/listing/ListingValue.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/SharedListCounts.h"
#include "core/session/ServerReader.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"

#include <QDateTime>

namespace teran {

namespace {

constexpr int kDefaultPageSize = 2;

// Values every row carries for the window's actions, besides what its cells show.
const QStringList kLocalNeeds = {
    QStringLiteral("table_idx"), QStringLiteral("state"),   QStringLiteral("hitadd"),
    QStringLiteral("hitmem"),    QStringLiteral("subid"),   QStringLiteral("imgname1"),
    QStringLiteral("imgname2"),  QStringLiteral("showday"), QStringLiteral("writeday")};
const QStringList kServerNeeds = {QStringLiteral("table_idx"), QStringLiteral("sub_idx"),
                                  QStringLiteral("id"),        QStringLiteral("subid"),
                                  QStringLiteral("state"),     QStringLiteral("hitadd"),
                                  QStringLiteral("hitmem"),    QStringLiteral("imgname1"),
                                  QStringLiteral("imgname2"),  QStringLiteral("showday")};

QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

QString selectList(const QStringList& columns, const QString& alias) {
    QStringList names;
    for (const QString& c : columns)
        names << alias + quotedName(c);
    return names.join(QStringLiteral(", "));
}

RawValues rawRow(const QSqlQuery& q, const QList<const ColumnDef*>& columns) {
    RawValues row;
    row.reserve(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        row.insert(columns.at(i)->name, listingValueFromStore(*columns.at(i), q.value(i)));
    return row;
}

QString phonesOf(const QString& home, const QString& mobile) {
    if (home.isEmpty() && mobile.isEmpty())
        return {};
    return home + QStringLiteral(" / ") + mobile;
}

ListItem itemOf(const RawValues& row, bool server) {
    ListItem item;
    item.number = row.value(server ? QStringLiteral("sub_idx") : QStringLiteral("table_idx")).toInt();
    item.serverIdx = server ? row.value(QStringLiteral("table_idx")).toInt() : 0;
    item.officeId = row.value(QStringLiteral("id")).toString();
    item.subid = row.value(QStringLiteral("subid")).toString();
    item.state = row.value(QStringLiteral("state")).toInt();
    item.hitadd = row.value(QStringLiteral("hitadd")).toInt();
    item.hitmem = row.value(QStringLiteral("hitmem")).toInt();
    item.imgname1 = row.value(QStringLiteral("imgname1")).toString();
    item.imgname2 = row.value(QStringLiteral("imgname2")).toString();
    return item;
}

std::optional<RowMark> markOf(const RawValues& row, const std::optional<ColorRule>& rule,
                              const QDate& today) {
    if (!rule)
        return std::nullopt;
    const QDateTime when = SqlStore::toDateTime(row.value(rule->dateColumn()));
    if (!rule->marks(when.date(), today))
        return std::nullopt;
    return RowMark{rule->colorNumber, rule->bold};
}

} // namespace

// The parts of a list statement that differ between the four routines.
struct ListQuery::Statement {
    QString label; // of the log line: "MdbsqlQuery => " and the like
    bool server = false;
    QString from; // " FROM ... WHERE ..."
    QVariantList values;
    QString orderBy;
    QString alias;
    bool matchesNothing = false; // a club list without members
    QStringList ignored;
    // A plain own list (no filter but type and tab) takes its total from the kept counts.
    std::function<std::optional<qint64>()> keptTotal;
    // The own list in the office's SQLite file, sorted by a column: `from` naming the index
    // that reads in the sort's order, and the rows of the whole table.
    QString indexedFrom;
    std::function<std::optional<qint64>()> tableRows;
};

QString ListPage::countText() const {
    return totalPending ? searchingText() : foundText(total);
}

QString ListPage::statusText() const {
    if (ok)
        return countText();
    return givenUp ? error : QStringLiteral("데이타를 읽지 못했습니다.");
}

void ListPage::setTotal(qint64 counted) {
    totalPending = false;
    total = counted;
    pageCount = pageCountOf(total, pageSize);
}

QString searchingText() {
    return QStringLiteral("데이타 검색중입니다. 잠시만 기다려 주세요.");
}

QString foundText(qint64 total) {
    return QStringLiteral("검색된 데이타가 총 %1 건입니다.").arg(total);
}

QString loadingText(qint64 total, qint64 n) {
    return QStringLiteral("총 %1 개의 데이타중 %2 개 로딩중입니다.").arg(total).arg(n);
}

int pageSizeFrom(const QString& text) {
    bool ok = false;
    const int rows = text.trimmed().toInt(&ok);
    return ok && rows > 0 ? rows : kDefaultPageSize;
}

constexpr qint64 kSortFoundRows = 2000;

// Whether a page is read faster by walking an index in the sort's order than by sorting every
// matching row: the walk passes about (table rows / matching rows) rows for each row up to the
// page's end. Unknown table rows: the walk, beyond a few thousand matching rows.
static bool walksSortOrder(qint64 matching, qint64 pageEnd, std::optional<qint64> tableRows) {
    if (matching <= kSortFoundRows)
        return false;
    return !tableRows || double(pageEnd) * double(*tableRows) < double(matching) * double(matching);
}

// " ORDER BY a DESC, b DESC" with each key behind COALESCE(key, key): the same order, which no
// index of the columns serves.
static QString sortFoundRows(const QString& orderBy) {
    const QString head = QStringLiteral(" ORDER BY ");
    const QString body = orderBy.mid(head.size());
    QStringList keys;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= body.size(); ++i) {
        const QChar c = i < body.size() ? body.at(i) : QLatin1Char(',');
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        if (c != QLatin1Char(',') || depth > 0)
            continue;
        const QString key = body.mid(start, i - start).trimmed();
        const qsizetype space = key.lastIndexOf(QLatin1Char(' '));
        keys << QStringLiteral("COALESCE(%1, %1)").arg(key.left(space)) + key.mid(space);
        start = i + 1;
    }
    return head + keys.join(QStringLiteral(", "));
}

int pageCountOf(qint64 total, int pageSize) {
    if (total <= 0 || pageSize <= 0)
        return 1;
    return int((total + pageSize - 1) / pageSize);
}

int clampPage(int page, qint64 total, int pageSize) {
    return qBound(1, page, pageCountOf(total, pageSize));
}

ListQuery::ListQuery(Session& session)
    : m_session(session) {}

QDateTime ListQuery::sharedCutOff() const {
    return m_session.clock().now().addDays(-kSharedWindowDays);
}

ListQuery::Statement ListQuery::statementOf(const ListRequest& request) const {
    switch (request.kind) {
    case ListKind::Own:
        return ownStatement(request);
    case ListKind::Group:
        return groupStatement(request);
    case ListKind::Shared:
        return sharedStatement(request);
    case ListKind::Club:
        return clubStatement(request);
    }
    return {};
}

ListScope ListQuery::scopeOf(const ListRequest& request) const {
    const Statement st = statementOf(request);
    return ListScope{st.server, st.from, st.values, st.matchesNothing};
}

qint64 ListQuery::countAll(SqlStore& store, const Statement& st) {
    return store.scalar(QStringLiteral("SELECT COUNT(*)") + st.from, st.values, 0).toLongLong();
}

ListPage ListQuery::ListSearch(const ListRequest& request, const ListStatus& status) {
    if (status)
        status(searchingText());
    return run(request, statementOf(request), status);
}

std::optional<qint64> ListQuery::totalOf(const ListRequest& request) {
    const Statement st = statementOf(request);
    if (st.matchesNothing)
        return 0;
    SqlStore& store = st.server ? m_session.serverStore() : m_session.listingStore();
    if (st.server && !store.isOpen())
        return std::nullopt; // offline since the page was read
    try {
        return countAll(store, st);
    } catch (const StoreError& error) {
        m_session.logError(st.label, error);
        return std::nullopt;
    }
}

// The total before the page: from the kept counts, or counted; nullopt when the page is to come
// first and more rows match than the lists sort in memory (a count of at most that many
// rows tells, reading no more index entries than that).
std::optional<qint64> ListQuery::countFirst(SqlStore& store, const ListRequest& request,
                                            const Statement& st) const {
    if (const std::optional<qint64> kept = st.keptTotal ? st.keptTotal() : std::nullopt)
        return kept;
    if (!request.totalLater || request.page != 1 || !st.server)
        return countAll(store, st);
    QVariantList values = st.values;
    const QString bounded = QStringLiteral("SELECT COUNT(*) FROM (SELECT 1") + st.from +
                            SqlStore::limitSql(int(kSortFoundRows) + 1, 0, values) +
                            QStringLiteral(") found");
    const qint64 found = store.scalar(bounded, values, 0).toLongLong();
    if (found <= kSortFoundRows)
        return found;
    return std::nullopt;
}

ListQuery::Statement ListQuery::ownStatement(const ListRequest& request) const {
    const SessionState& s = m_session.state();
    const bool textIndex = !isPlain(request.filter) && ListingTextIndex(m_session.listingStore()).kept();
    const ListWhere where = ListWhereBuild(
        request.filter, {ListKind::Own, s.LoginId, s.OfficeMainId, m_session.clock().today(), textIndex});
    Statement st;
    st.ignored = where.ignored;
    st.label = QStringLiteral("MdbsqlQuery => ");
    st.from = QStringLiteral(" FROM maemul WHERE id = ?") + where.sql;
    st.values = QVariantList{s.OfficeMainId} + where.values;
    st.orderBy = orderBySql(ListKind::Own, request.sort);
    const QString sortIndex = ownListSortIndex(request.sort.tag);
    if (!sortIndex.isEmpty() && m_session.listingStore().backend() == SqlBackend::Sqlite) {
        // SQLite would rather read the type through its own index and sort all of it.
        st.indexedFrom = QString(st.from).replace(
            QStringLiteral(" FROM maemul "), QStringLiteral(" FROM maemul INDEXED BY %1 ").arg(sortIndex));
        st.tableRows = [this, office = s.OfficeMainId]() -> std::optional<qint64> {
            const ListingCounts counts(m_session.listingStore());
            const std::optional<qint64> current = counts.count(office, {}, false);
            const std::optional<qint64> archived = counts.count(office, {}, true);
            if (!current || !archived)
                return std::nullopt;
            return *current + *archived;
        };
    }
    if (isPlain(request.filter)) {
        const QString tb = isAllTypes(request.filter.tb) ? QString() : request.filter.tb;
        const QString staff = s.LoginId == s.OfficeMainId ? QString() : s.LoginId;
        st.keptTotal = [this, office = s.OfficeMainId, tb, archive = request.filter.archive, staff] {
            return ListingCounts(m_session.listingStore()).count(office, tb, archive, staff);
        };
    }
    return st;
}

ListQuery::Statement ListQuery::groupStatement(const ListRequest& request) const {
    Statement st;
    st.label = QStringLiteral("MdbGroupQuery => ");
    st.alias = QStringLiteral("A.");
    st.from =
        QStringLiteral(" FROM maemul A INNER JOIN group_mul B ON A.table_idx = B.t_idx WHERE B.g_idx = ?");
    st.values = {request.groupIdx};
    st.orderBy = orderBySql(ListKind::Group, request.sort, st.alias);
    return st;
}

ListQuery::Statement ListQuery::sharedStatement(const ListRequest& request) const {
    const SessionState& s = m_session.state();
    const ListWhere where = ListWhereBuild(
        request.filter, {ListKind::Shared, s.LoginId, s.OfficeMainId, m_session.clock().today()});
    Statement st;
    st.ignored = where.ignored;
    st.label = QStringLiteral("MysqlQuery => ");
    st.server = true;
    // Other offices' internet listings, changed or refreshed within the window.
    st.from = QStringLiteral(" FROM maemul WHERE id <> ? AND state IN (?, ?) AND showday > ?") + where.sql;
    st.values = QVariantList{s.OfficeMainId, stateValue(PublicationState::Internet),
                             stateValue(PublicationState::ClubsAndInternet), sharedCutOff()} +
                where.values;
    st.orderBy = orderBySql(ListKind::Shared, request.sort);
    if (isPlain(request.filter)) {
        const QString tb = isAllTypes(request.filter.tb) ? QString() : request.filter.tb;
        st.keptTotal = [this, office = s.OfficeMainId, tb, after = sharedCutOff()] {
            return SharedListCounts(m_session.serverStore())
                .count(
                    office, tb,
                    {stateValue(PublicationState::Internet), stateValue(PublicationState::ClubsAndInternet)},
                    after);
        };
    }
    return st;
}

ListQuery::Statement ListQuery::clubStatement(const ListRequest& request) const {
    const SessionState& s = m_session.state();
    const ListWhere where = ListWhereBuild(
        request.filter, {ListKind::Club, s.LoginId, s.OfficeMainId, m_session.clock().today()});
    Statement st;
    st.ignored = where.ignored;
    st.label = QStringLiteral("MysqlClubQuery => ");
    st.server = true;
    st.matchesNothing = request.clubIds.isEmpty();
    st.from = QStringLiteral(" FROM maemul WHERE state IN (?, ?) AND subid IN (%1) AND showday > ?")
                  .arg(placeholders(request.clubIds.size())) +
              where.sql;
    st.values << stateValue(PublicationState::ClubsAndInternet) << stateValue(PublicationState::Clubs);
    for (const QString& id : request.clubIds)
        st.values << id;
    st.values << sharedCutOff();
    st.values += where.values;
    st.orderBy = orderBySql(ListKind::Club, request.sort);
    return st;
}

ListPage ListQuery::run(const ListRequest& request, const Statement& st, const ListStatus& status) {
    ListPage page;
    page.columns = request.sheet ? sheetColumnsOf(request.kind, request.filter.tb)
                                 : ListColsByTb(request.kind, request.filter.tb);
    page.pageSize = pageSizeFrom(request.pageSizeText);
    page.ignoredFilters = st.ignored;
    if (st.matchesNothing)
        return page;
    SqlStore& store = st.server ? m_session.serverStore() : m_session.listingStore();
    if (st.server && !store.isOpen()) {
        // Offline: the server is not asked, and that is no error worth a log line.
        page.ok = false;
        page.error = QStringLiteral("The server is not connected");
        return page;
    }

    QStringList columns = st.server ? kServerNeeds : kLocalNeeds;
    for (const QString& name : rawColumnsOf(page.columns))
        if (!columns.contains(name))
            columns << name;
    QList<const ColumnDef*> defs;
    for (const QString& name : columns)
        defs << findListingColumn(name);

    QList<RawValues> rows;
    try {
        const std::optional<qint64> counted = countFirst(store, request, st);
        page.totalPending = !counted;
        page.total = counted.value_or(0);
        page.pageCount = pageCountOf(page.total, page.pageSize);
        page.page = page.totalPending ? 1 : clampPage(request.page, page.total, page.pageSize);
        QVariantList values = st.values;
        // Few matching rows: the database is kept from walking an index in the sort's order
        // (which reads every row when the filter matches almost none) and sorts what it finds.
        const qint64 pageEnd = qint64(page.page) * page.pageSize;
        const bool walk =
            page.totalPending ||
            walksSortOrder(page.total, pageEnd, st.tableRows ? st.tableRows() : std::optional<qint64>());
        const QString from = walk && !st.indexedFrom.isEmpty() ? st.indexedFrom : st.from;
        const QString orderBy = walk ? st.orderBy : sortFoundRows(st.orderBy);
        const QString sql = QStringLiteral("SELECT ") + selectList(columns, st.alias) + from + orderBy +
                            SqlStore::limitSql(page.pageSize, (page.page - 1) * page.pageSize, values);
        if (page.total > 0 || page.totalPending) {
            QSqlQuery q = store.query(sql, values);
            while (q.next())
                rows.append(rawRow(q, defs));
        }
        if (page.totalPending) {
            // Until the count comes: what is shown, and a next page when this one is full.
            page.total = rows.size();
            page.pageCount = rows.size() < page.pageSize ? 1 : 2;
        }
    } catch (const StoreError& error) {
        m_session.logError(st.label, error);
        page.ok = false;
        page.error = error.description();
        return page;
    }

    const QHash<QString, OfficeContact> offices =
        st.server ? officesOf(store, rows, st.label) : QHash<QString, OfficeContact>();
    const std::optional<ColorRule> rule = st.server ? std::nullopt : colorRule(store, st.label);
    const CellContext context{m_session.state().LoginId, &offices};
    const QDate today = m_session.clock().today();
    page.rows.reserve(rows.size());
    for (const RawValues& row : rows) {
        ListItem item = itemOf(row, st.server);
        item.cells.reserve(page.columns.size());
        for (const ListColumn& column : page.columns)
            item.cells << formatCell(column, row, context);
        item.mark = markOf(row, rule, today);
        page.rows.append(std::move(item));
        if (status)
            status(loadingText(page.total, page.rows.size()));
    }
    return page;
}

QHash<QString, OfficeContact> ListQuery::officesOf(SqlStore& store, const QList<RawValues>& rows,
                                                   const QString& label) const {
    QStringList ids;
    for (const RawValues& row : rows) {
        const QString id = row.value(QStringLiteral("subid")).toString();
        if (!id.isEmpty() && !ids.contains(id))
            ids << id;
    }
    QHash<QString, OfficeContact> offices;
    if (ids.isEmpty())
        return offices;
    QVariantList values;
    for (const QString& id : ids)
        values << id;
    try {
        QSqlQuery q = store.query(
            QStringLiteral("SELECT memID, homtel, hantel, showname FROM members WHERE memID IN (%1)")
                .arg(placeholders(ids.size())),
            values);
        while (q.next())
            offices.insert(q.value(0).toString(),
                           {phonesOf(q.value(1).toString(), q.value(2).toString()), q.value(3).toString()});
    } catch (const StoreError& error) {
        // The rows are still worth showing; their contacts stay "-".
        m_session.logError(label, error);
    }
    return offices;
}

std::optional<ColorRule> ListQuery::colorRule(SqlStore& store, const QString& label) const {
    try {
        const ColorRule rule = SettingsStore(store, m_session.state().LoginId).colorRule();
        if (rule.days)
            return rule;
    } catch (const StoreError& error) {
        m_session.logError(label, error);
    }
    return std::nullopt;
}

QStringList ClubMemberIds(SqlStore& server, const QList<int>& clubs, const QString& tb) {
    if (clubs.isEmpty())
        return {};
    QVariantList values;
    for (int club : clubs)
        values << club;
    QString sql = QStringLiteral("SELECT DISTINCT B.id FROM teranclub A INNER JOIN teranclub_mem B "
                                 "ON A.table_idx = B.club_idx WHERE B.club_idx IN (%1)")
                      .arg(placeholders(clubs.size()));
    if (!isAllTypes(tb)) {
        sql += QStringLiteral(" AND A.tb LIKE ?") + SqlStore::likeEscapeSql();
        values << SqlStore::likeContains(tb);
    }
    sql += QStringLiteral(" ORDER BY B.id");
    QStringList ids;
    QSqlQuery q = server.query(sql, values);
    while (q.next())
        ids << q.value(0).toString();
    return ids;
}

namespace {

// The distinct values of a column of maemul above "" (so neither null nor empty), sorted; with
// a type only those of the type. SQLite steps from value to value through the index on
// (tb, column) or (column), a few reads per value however many rows hold it; MariaDB indexes
// only a prefix of long texts and groups instead.
QStringList distinctValues(SqlStore& store, const QString& column, const QString& tb) {
    const QString typeTest = tb.isEmpty() ? QString() : QStringLiteral("tb = ? AND ");
    QVariantList values;
    QString sql;
    if (store.backend() == SqlBackend::Sqlite) {
        sql = QStringLiteral("WITH RECURSIVE d(v) AS (SELECT (SELECT MIN(%1) FROM maemul WHERE %2%1 > '') "
                             "UNION ALL SELECT (SELECT MIN(%1) FROM maemul WHERE %2%1 > d.v) FROM d "
                             "WHERE d.v IS NOT NULL) SELECT v FROM d WHERE v IS NOT NULL")
                  .arg(column, typeTest);
        if (!tb.isEmpty())
            values << tb << tb;
    } else {
        sql = QStringLiteral("SELECT %1 FROM maemul WHERE %2%1 > '' GROUP BY %1 ORDER BY %1")
                  .arg(column, typeTest);
        if (!tb.isEmpty())
            values << tb;
    }
    QStringList found;
    QSqlQuery q = store.query(sql, values);
    while (q.next())
        found << q.value(0).toString();
    return found;
}

} // namespace

QStringList distinctProgressValues(SqlStore& store) {
    return distinctValues(store, QStringLiteral("ming"), {});
}

QStringList storedValuesOf(SqlStore& store, const QString& tb, const QString& column) {
    const ColumnDef* known = findListingColumn(column);
    if (!known || !isListingColumnOn(known, ListingSide::Local))
        throw StoreError(QStringLiteral("'%1' is no column of a listing").arg(column),
                         QStringLiteral("storedValuesOf"));
    return distinctValues(store, known->name, tb);
}

QStringList distinctNames(Session& session, ListKind list, const QString& tb) {
    return distinctNames(list == ListKind::Own ? session.listingStore() : session.serverStore(), tb);
}

QStringList distinctNames(SqlStore& store, const QString& tb) {
    // The column is one of a fixed few names.
    return distinctValues(store, nameFilterColumn(tb), isAllTypes(tb) ? QString() : tb);
}

QStringList distinctProgressValues(Session& session) {
    return distinctProgressValues(session.listingStore());
}

QStringList progressStates() {
    return {QStringLiteral("진행중"), QStringLiteral("완료"), QStringLiteral("보류")};
}

QStringList progressChoices(SqlStore& store) {
    QStringList choices = progressStates();
    for (const QString& stored : distinctProgressValues(store))
        if (!choices.contains(stored))
            choices << stored;
    return choices;
}

QStringList progressChoices(Session& session) {
    return progressChoices(session.listingStore());
}

QStringList storedValuesOf(Session& session, const QString& tb, const QString& column) {
    return storedValuesOf(session.listingStore(), tb, column);
}

namespace {

bool readsServer(const ListRequest& request) {
    return request.kind == ListKind::Shared || request.kind == ListKind::Club;
}

} // namespace

ListPage searchList(Session& session, const ListRequest& request, const ListStatus& status,
                    const std::function<bool()>& cancelled) {
    ServerReader* reader = session.reader();
    if (!readsServer(request) || !reader)
        return ListQuery(session).ListSearch(request, status);
    std::optional<ListPage> page = reader->read<ListPage>(
        [request](Session& readerSession) { return ListQuery(readerSession).ListSearch(request); },
        cancelled);
    if (page)
        return *std::move(page);
    ListPage unanswered;
    unanswered.ok = false;
    unanswered.givenUp = true;
    unanswered.error = ServerReader::unansweredText();
    unanswered.columns = ListColsByTb(request.kind, request.filter.tb);
    return unanswered;
}

void countListLater(Session& session, const ListRequest& request, QObject* context,
                    std::function<void(std::optional<qint64>)> done) {
    ServerReader* reader = session.reader();
    if (!readsServer(request) || !reader) {
        done(ListQuery(session).totalOf(request));
        return;
    }
    reader->readLater<std::optional<qint64>>(
        [request](Session& readerSession) { return ListQuery(readerSession).totalOf(request); }, context,
        std::move(done));
}

} // namespace teran
