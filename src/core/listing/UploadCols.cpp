#include "UploadCols.h"

#include "core/listing/TypeFields.h"

namespace teran {

namespace {

UploadPair copied(const QString& local, const QString& server) {
    return UploadPair{local, server, UploadPair::Source::Column};
}

UploadPair same(const char* name) {
    const QString column = QString::fromLatin1(name);
    return copied(column, column);
}

// The server copy takes its own key from the local number; the rest of the head is copied.
QList<UploadPair> head() {
    QList<UploadPair> pairs{copied(QStringLiteral("table_idx"), QStringLiteral("sub_idx"))};
    for (const char* name : {"tb", "ty", "id", "subid", "code", "maemaepart", "maemultype", "bigoie"})
        pairs << same(name);
    return pairs;
}

// The copy is dated by the upload; its sort key keeps the local modified date; it starts with
// no promotion grades.
QList<UploadPair> tail() {
    return {same("imgname1"),
            same("imgname2"),
            UploadPair{QStringLiteral("now()"), QStringLiteral("showday"), UploadPair::Source::UploadTime},
            copied(QStringLiteral("showday"), QStringLiteral("sortday")),
            same("writeday"),
            same("state"),
            same("readnum"),
            same("note"),
            UploadPair{QStringLiteral("0"), QStringLiteral("hitadd"), UploadPair::Source::Zero},
            UploadPair{QStringLiteral("0"), QStringLiteral("hitmem"), UploadPair::Source::Zero}};
}

} // namespace

QStringList UploadColumns::localColumns() const {
    QStringList columns;
    for (const UploadPair& p : pairs)
        if (p.source == UploadPair::Source::Column)
            columns << p.local;
    return columns;
}

QStringList UploadColumns::serverColumns() const {
    QStringList columns;
    for (const UploadPair& p : pairs)
        columns << p.server;
    return columns;
}

QStringList uploadMiddleColumns(const QString& tb) {
    const TypeRules* rules = typeRules(tb);
    return rules ? rules->publishedColumns() : QStringList();
}

UploadColumns UploadCols(const QString& tb) {
    const QStringList middle = uploadMiddleColumns(tb);
    if (middle.isEmpty())
        return {};
    UploadColumns result;
    result.pairs = head();
    for (const QString& column : middle)
        result.pairs << copied(column, column);
    result.pairs << tail();
    QStringList local;
    for (const UploadPair& p : result.pairs)
        local << p.local;
    result.localSelect = local.join(QStringLiteral(", "));
    result.serverInsert = result.serverColumns().join(QStringLiteral(", "));
    return result;
}

} // namespace teran
