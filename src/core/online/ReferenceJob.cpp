#include "ReferenceJob.h"
#include "core/store/RowWriter.h"

#include "core/store/SqlStore.h"

namespace teran {

namespace {} // namespace

const ReferenceTable& referenceTable(ReferenceJob job) {
    static const ReferenceTable post{QStringLiteral("post"),
                                     {QStringLiteral("postno"), QStringLiteral("addr1"),
                                      QStringLiteral("addr2"), QStringLiteral("addr3"),
                                      QStringLiteral("addr4")},
                                     QStringLiteral("postno"),
                                     QString()};
    static const ReferenceTable subway{
        QStringLiteral("subway"),
        {QStringLiteral("table_idx"), QStringLiteral("sline"), QStringLiteral("station")},
        QStringLiteral("table_idx"),
        QStringLiteral("table_idx")};
    return job == ReferenceJob::Post ? post : subway;
}

QString jobTag(ReferenceJob job) {
    return job == ReferenceJob::Post ? QStringLiteral("post") : QStringLiteral("subway");
}

std::optional<ReferenceJob> jobFromTag(const QString& tag) {
    if (tag == QLatin1String("post"))
        return ReferenceJob::Post;
    if (tag == QLatin1String("subway"))
        return ReferenceJob::Subway;
    return std::nullopt;
}

QString countSql(ReferenceJob job) {
    const ReferenceTable& table = referenceTable(job);
    return QStringLiteral("SELECT COUNT(`%1`) FROM `%2`").arg(table.countColumn, table.name);
}

QString rowCountSql(ReferenceJob job) {
    return QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(referenceTable(job).name);
}

QString selectSql(ReferenceJob job) {
    const ReferenceTable& table = referenceTable(job);
    QString sql = QStringLiteral("SELECT %1 FROM `%2`").arg(quotedNames(table.columns), table.name);
    if (!table.orderColumn.isEmpty())
        sql += QStringLiteral(" ORDER BY `%1`").arg(table.orderColumn);
    return sql;
}

QString insertSql(ReferenceJob job) {
    const ReferenceTable& table = referenceTable(job);
    return QStringLiteral("INSERT INTO `%1`(%2) VALUES(%3)")
        .arg(table.name, quotedNames(table.columns), SqlStore::placeholders(table.columns.size()));
}

QString deleteSql(ReferenceJob job) {
    return QStringLiteral("DELETE FROM `%1`").arg(referenceTable(job).name);
}

} // namespace teran
