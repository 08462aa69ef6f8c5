#include "ListingTextTransfer.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingRepository.h"
#include "core/listing/ListingValue.h"
#include "core/store/SqlStore.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace teran::listingText {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');
constexpr int kStateField = 2;

const TableDef& listingTable() {
    static const TableDef table = maemulTable(ListingSide::Local);
    return table;
}

QString dateColumnName(DateColumn column) {
    switch (column) {
    case DateColumn::Shown:
        return QStringLiteral("showday");
    case DateColumn::Off:
        return QStringLiteral("offday");
    case DateColumn::Written:
        break;
    }
    return QStringLiteral("writeday");
}

// The first moment of the period's first unit and the first moment after its last: the dates are
// compared as dates, bound, on both stores.
std::pair<QDateTime, QDateTime> cutOffs(const ExportChoice& choice) {
    QDate first = choice.from;
    QDate afterLast = choice.to;
    switch (choice.period) {
    case Period::Year:
        first = QDate(choice.from.year(), 1, 1);
        afterLast = QDate(choice.to.year() + 1, 1, 1);
        break;
    case Period::Month:
        first = QDate(choice.from.year(), choice.from.month(), 1);
        afterLast = QDate(choice.to.year(), choice.to.month(), 1).addMonths(1);
        break;
    case Period::Day:
        afterLast = choice.to.addDays(1);
        break;
    case Period::Whole:
        break;
    }
    return {QDateTime(first, QTime(0, 0)), QDateTime(afterLast, QTime(0, 0))};
}

QString conditions(SqlStore& store, const ExportChoice& choice, QVariantList& values) {
    QString sql = QStringLiteral(" FROM maemul WHERE code = 0 AND tb IN (%1)")
                      .arg(SqlStore::placeholders(qMax<qsizetype>(1, choice.types.size())));
    if (choice.types.isEmpty())
        values << QString();
    for (const QString& type : choice.types)
        values << type;
    if (choice.period != Period::Whole) {
        const auto [from, until] = cutOffs(choice);
        const QString column = dateColumnName(choice.column);
        sql += QStringLiteral(" AND %1 >= ? AND %1 < ?").arg(column);
        values << store.toStored(from) << store.toStored(until);
    }
    if (!choice.staffOnly.isEmpty()) {
        sql += QStringLiteral(" AND subid = ?");
        values << choice.staffOnly;
    }
    return sql;
}

QString selectList() {
    QStringList columns = fields();
    columns[kStateField] = QStringLiteral("CASE WHEN state = 2 THEN '2' ELSE '0' END");
    return columns.join(QStringLiteral(", "));
}

// "yyyy-MM-dd HH:mm:ss" in shape.
bool isStampText(const QString& text) {
    if (text.size() != 19)
        return false;
    for (int i = 0; i < 19; ++i) {
        const QChar c = text.at(i);
        const bool ok = i == 4 || i == 7     ? c == u'-'
                        : i == 10            ? c == u' '
                        : i == 13 || i == 16 ? c == u':'
                                             : c.isDigit();
        if (!ok)
            return false;
    }
    return true;
}

// A value in its text form: dates as "yyyy-MM-dd HH:mm:ss" on both stores, numbers without the
// noise of binary fractions.
QString textOf(const ColumnDef* column, const QVariant& value) {
    if (value.isNull())
        return QString();
    if (column && column->type == ColumnType::DateTime) {
        // An office file keeps its dates in the very form of the file: taken as they are, without
        // a trip through the local time zone for each of them.
        if (value.typeId() == QMetaType::QString && isStampText(value.toString()))
            return value.toString();
        const QDateTime at = SqlStore::toDateTime(value);
        return at.isValid() ? at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : value.toString();
    }
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

} // namespace

QString decodedFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    // Files of older programs are written in the Korean Windows code page.
    QStringDecoder korean("CP949");
    if (korean.isValid()) {
        text = korean(bytes);
        if (!korean.hasError())
            return text;
    }
    throw ImportRefused(1, QString(),
                        QStringLiteral("파일의 글자를 읽을 수 없습니다 (UTF-8도 CP949도 아닙니다)."));
}

namespace {

ListingRow rowOf(QStringList values, int lineNumber, const QString& officeId, const QString& loginId) {
    for (QString& value : values)
        value.replace(lineBreakMarker(), kLineEnd);
    values[kStateField] =
        values[kStateField] == QLatin1String("2") ? QStringLiteral("2") : QStringLiteral("0");
    return listingRowOf(fields(), values, lineNumber, officeId, loginId);
}

} // namespace

const QStringList& fields() {
    static const QStringList names{
        "tb",        "ty",         "state",        "groupin",      "company",    "uname",        "email",
        "uhp",       "uoffice",    "uhome",        "ufax",         "umoney",     "ubigo",        "gubun",
        "ming",      "jubsu",      "showday",      "sortday",      "writeday",   "offday",       "readnum",
        "note",      "code",       "money_m",      "money_y",      "money_yeja", "money_jb",     "money_b",
        "money_w",   "money_s",    "money_g",      "money_p",      "money_mb",   "money_mw",     "money_pg",
        "money_sg",  "money_ys",   "money_bu",     "money_bn",     "money_gp",   "money_slp",    "money_ie",
        "pyung",     "pyung_use",  "pyung_m2",     "pyung_use_m2", "pyung_ie",   "pyung_use_ie", "dong",
        "sedae",     "floor_max",  "floor_max_ie", "room",         "gunmul_bp",  "elv_in",       "elv_su",
        "parking_u", "parking_d",  "money_lp",     "parking",      "room_top",   "chunjung",     "pyung_t",
        "pyung_r",   "chair",      "desk",         "jungi",        "mul",        "hmax",         "hchma",
        "bupi_l",    "bupi_ea",    "tonsu",        "joou_s",       "joou_n",     "room_1",       "room_2",
        "room_3",    "maemaepart", "maemultype",   "gaeyak",       "mbigo",      "post",         "keyword",
        "addr1",     "addr2",      "addr3",        "addr4",        "addr5",      "cboname",      "remake",
        "maker",     "makedate",   "floor",        "floor_ie",     "opentype",   "direction",    "elv",
        "internet",  "hottype",    "fuel",         "livingroom",   "bathroom",   "bunpo",        "line",
        "station",   "walking",    "special",      "manage",       "education",  "bus",          "government",
        "life",      "ydo",        "gujo",         "gsangtae",     "parking_ty", "magam",        "doro",
        "dosi",      "landtype",   "room_s",       "sangtae",      "yongdo",     "sizip",        "jimok",
        "jehan",     "interior",   "sisoul",       "exchange",     "upjong",     "budae",        "bupi",
        "jutek",     "yungdo_n",   "yungdo_j",     "gigu",         "poss",       "secha",        "joou_g"};
    return names;
}

QString lineBreakMarker() {
    return QString::fromUtf8("|\u24E3\u24D4\u24E1\u24D0\u24DD|");
}

ImportRefused::ImportRefused(int line, QString column, const QString& reason)
    : std::runtime_error(reason.toStdString())
    , m_line(line)
    , m_column(std::move(column))
    , m_reason(reason) {}

QString lineOf(const QStringList& values) {
    QString line;
    line.reserve(1024);
    for (const QString& value : values) {
        if (value.contains(kLineEnd))
            line += QString(value).replace(kLineEnd, lineBreakMarker());
        else
            line += value;
        line += kTab;
    }
    line += kLineEnd;
    return line;
}

QStringList valuesOf(const QString& line, int lineNumber) {
    QStringList pieces = line.split(kTab);
    if (pieces.size() != fields().size() + 1 || !pieces.last().isEmpty())
        throw ImportRefused(lineNumber, QString(),
                            QStringLiteral("값이 %1개입니다 (%2개여야 합니다).")
                                .arg(pieces.size() - (pieces.last().isEmpty() ? 1 : 0))
                                .arg(fields().size()));
    pieces.removeLast();
    return pieces;
}

qint64 countListings(SqlStore& store, const ExportChoice& choice) {
    QVariantList values;
    const QString where = conditions(store, choice, values);
    return store.scalar(QStringLiteral("SELECT COUNT(*)") + where, values, 0).toLongLong();
}

qint64 exportListings(SqlStore& store, const ExportChoice& choice, const QString& path,
                      const Progress& progress) {
    QVariantList values;
    const QString sql = QStringLiteral("SELECT ") + selectList() + conditions(store, choice, values) +
                        QStringLiteral(" ORDER BY tb, ty, table_idx");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    QList<const ColumnDef*> columns;
    for (const QString& name : fields())
        columns << listingTable().column(name);
    QSqlQuery q = store.query(sql, values);
    qint64 written = 0;
    QStringList line;
    while (q.next()) {
        line.clear();
        for (int i = 0; i < columns.size(); ++i)
            line << textOf(i == kStateField ? nullptr : columns[i], q.value(i));
        file.write(lineOf(line).toUtf8());
        ++written;
        if (progress && written % 500 == 0 && !progress(written)) {
            file.cancelWriting();
            return -1;
        }
    }
    if (!file.commit())
        throw std::runtime_error(file.errorString().toStdString());
    return written;
}

ListingRow listingRowOf(const QStringList& columns, const QStringList& values, int lineNumber,
                        const QString& officeId, const QString& loginId) {
    ListingRow row;
    for (int i = 0; i < columns.size(); ++i) {
        const QString& name = columns[i];
        if (name.isEmpty())
            continue;
        const ColumnDef* column = listingTable().column(name);
        if (!column || column->autoKey || name == QLatin1String("id") || name == QLatin1String("subid"))
            throw ImportRefused(lineNumber, name, QStringLiteral("매물에 없는 항목입니다."));
        const QString value = values.value(i);
        if (value.isEmpty()) {
            row.insert(name, QVariant());
            continue;
        }
        try {
            row.insert(name, listingValueFor(*column, value));
        } catch (const StoreError& error) {
            throw ImportRefused(lineNumber, name, error.description());
        }
    }
    row.insert(QStringLiteral("id"), officeId);
    row.insert(QStringLiteral("subid"), loginId);
    return row;
}

QList<int> insertListings(SqlStore& store, const QList<ListingRow>& rows, const Progress& progress) {
    return insertLocalBulk(store, rows, [&](int done) {
        if (progress && !progress(done))
            throw ImportRefused(0, QString(), QStringLiteral("취소되었습니다."));
    });
}

QList<int> importListings(SqlStore& store, const QString& path, const QString& officeId,
                          const QString& loginId, const Progress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ImportRefused(0, QString(), file.errorString());
    QStringList lines = decodedFile(file.readAll()).split(kLineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line
    QList<ListingRow> rows;
    rows.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i)
        rows << rowOf(valuesOf(lines[i], i + 1), i + 1, officeId, loginId);
    return insertListings(store, rows, progress);
}

} // namespace teran::listingText
