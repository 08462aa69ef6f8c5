#include "ReferenceData.h"

#include "core/store/WholeRowStatement.h"

#include <QFile>

namespace teran {

namespace {

const QString kSource = QStringLiteral("ReferenceData");

// The lines of a table file after its header, each split into exactly `header.size()` values.
QList<QStringList> parseTable(const QByteArray& tsv, const QStringList& header) {
    const QStringList lines = QString::fromUtf8(tsv).split(QLatin1Char('\n'));
    QList<QStringList> rows;
    bool headerSeen = false;
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList values = line.split(QLatin1Char('\t'));
        if (!headerSeen) {
            if (values != header)
                throw StoreError(QStringLiteral("The header should read: ") + header.join(QLatin1Char(' ')),
                                 kSource);
            headerSeen = true;
            continue;
        }
        if (values.size() != header.size())
            throw StoreError(QStringLiteral("Line %1 has %2 values instead of %3")
                                 .arg(n + 1)
                                 .arg(values.size())
                                 .arg(header.size()),
                             kSource);
        rows.append(values);
    }
    if (!headerSeen)
        throw StoreError(QStringLiteral("The table file is empty"), kSource);
    return rows;
}

QByteArray resource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("The built-in table is missing: ") + path, kSource);
    return file.readAll();
}

template <typename Row, typename Values>
int insertRows(SqlStore& store, ReferenceJob job, const QList<Row>& rows, Values valuesOf) {
    store.transact([&] {
        WholeRowStatement insert(store, insertSql(job));
        for (const Row& row : rows)
            insert.run(valuesOf(row));
    });
    return int(rows.size());
}

bool isEmpty(SqlStore& store, ReferenceJob job) {
    return store.scalar(rowCountSql(job), {}, 0).toLongLong() == 0;
}

QList<SubwayRow> withoutLastLines(QList<SubwayRow> rows, int lines) {
    QStringList order;
    for (const SubwayRow& row : rows)
        if (!order.contains(row.sline))
            order.append(row.sline);
    const QStringList dropped = order.mid(std::max<qsizetype>(0, order.size() - lines));
    rows.removeIf([&](const SubwayRow& row) { return dropped.contains(row.sline); });
    return rows;
}

} // namespace

const QStringList& regionNames() {
    static const QStringList names = {
        QStringLiteral("서울"), QStringLiteral("부산"), QStringLiteral("대구"), QStringLiteral("인천"),
        QStringLiteral("광주"), QStringLiteral("대전"), QStringLiteral("울산"), QStringLiteral("경기"),
        QStringLiteral("강원"), QStringLiteral("충북"), QStringLiteral("충남"), QStringLiteral("전북"),
        QStringLiteral("전남"), QStringLiteral("경북"), QStringLiteral("경남"), QStringLiteral("제주")};
    return names;
}

QList<PostRow> parsePostRows(const QByteArray& tsv) {
    QList<PostRow> rows;
    const QList<QStringList> table = parseTable(tsv, referenceTable(ReferenceJob::Post).columns);
    rows.reserve(table.size());
    for (const QStringList& v : table)
        rows.append(PostRow{v.at(0), v.at(1), v.at(2), v.at(3), v.at(4)});
    return rows;
}

QList<SubwayRow> parseSubwayRows(const QByteArray& tsv) {
    QList<SubwayRow> rows;
    const QList<QStringList> table = parseTable(tsv, {QStringLiteral("sline"), QStringLiteral("station")});
    rows.reserve(table.size());
    for (const QStringList& v : table)
        rows.append(SubwayRow{int(rows.size()) + 1, v.at(0), v.at(1)});
    return rows;
}

QList<PostRow> referencePostRows() {
    return parsePostRows(resource(QStringLiteral(":/reference/post.tsv")));
}

QList<SubwayRow> referenceSubwayRows() {
    return parseSubwayRows(resource(QStringLiteral(":/reference/subway.tsv")));
}

int insertPostRows(SqlStore& store, const QList<PostRow>& rows) {
    return insertRows(store, ReferenceJob::Post, rows, [](const PostRow& row) {
        return QVariantList{row.postno, row.addr1, row.addr2, row.addr3, row.addr4};
    });
}

int insertSubwayRows(SqlStore& store, const QList<SubwayRow>& rows) {
    return insertRows(store, ReferenceJob::Subway, rows, [](const SubwayRow& row) {
        return QVariantList{row.tableIdx, row.sline, row.station};
    });
}

ReferenceFillReport fillEmptyReferenceTables(SqlStore& store, const ReferenceFillOptions& options) {
    ReferenceFillReport report;
    if (isEmpty(store, ReferenceJob::Post)) {
        QList<PostRow> rows = referencePostRows();
        rows.resize(std::max<qsizetype>(0, rows.size() - std::max(0, options.leaveOutLastPostRows)));
        report.post = insertPostRows(store, rows);
    }
    if (isEmpty(store, ReferenceJob::Subway))
        report.subway = insertSubwayRows(
            store, withoutLastLines(referenceSubwayRows(), std::max(0, options.leaveOutLastSubwayLines)));
    return report;
}

} // namespace teran
