#include "ListingCsvImport.h"

#include "maintenance/SheetFile.h"
#include "session/ListingColumns.h"
#include "session/PropertyTypes.h"

#include <QFile>

namespace teran::listingCsv {

namespace {

const QString kType = QStringLiteral("tb");
const QString kTransaction = QStringLiteral("ty");

struct SheetText {
    QList<QStringList> rows;
    QList<int> lines; // the file's line of each row
};

SheetText readSheet(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw listingText::ImportRefused(0, QString(), file.errorString());
    SheetText sheet;
    try {
        sheet.rows = csvRows(listingText::decodedFile(file.readAll()), &sheet.lines);
    } catch (const std::runtime_error& error) {
        throw listingText::ImportRefused(0, QString(), QString::fromStdString(error.what()));
    }
    // lines with nothing in them are no listings
    for (int i = int(sheet.rows.size()) - 1; i >= 0; --i)
        if (sheet.rows[i].join(QString()).trimmed().isEmpty()) {
            sheet.rows.removeAt(i);
            sheet.lines.removeAt(i);
        }
    if (sheet.rows.isEmpty())
        throw listingText::ImportRefused(1, QString(), QStringLiteral("파일에 제목 줄이 없습니다."));
    return sheet;
}

QString proposedFor(const QString& caption) {
    const QString wanted = caption.trimmed();
    if (wanted.isEmpty())
        return {};
    for (const auto& [name, label] : targets())
        if (name.compare(wanted, Qt::CaseInsensitive) == 0 || label == wanted)
            return name;
    if (wanted == QStringLiteral("종목") || wanted == QStringLiteral("물건종류"))
        return kType;
    if (wanted == QStringLiteral("거래") || wanted == QStringLiteral("거래종류"))
        return kTransaction;
    return {};
}

// A type or transaction as the lists name it, turned into its code; other values as they are.
QString codeOf(const QString& column, const QString& value) {
    if (column == kType) {
        if (const PropertyType* type = findPropertyTypeByLabel(value))
            return type->code;
        return value;
    }
    if (column == kTransaction) {
        const QStringList names{QStringLiteral("매매"), QStringLiteral("전세"), QStringLiteral("월세"),
                                QStringLiteral("분양권")};
        const int at = int(names.indexOf(value));
        return at >= 0 ? transactionCodes().at(at) : value;
    }
    return value;
}

bool isNumeric(const QString& column) {
    const ColumnDef* def = findListingColumn(column);
    return def && (def->type == ColumnType::Integer || def->type == ColumnType::BigInt ||
                   def->type == ColumnType::Decimal);
}

} // namespace

QList<QPair<QString, QString>> targets() {
    static const QList<QPair<QString, QString>> all = [] {
        QList<QPair<QString, QString>> list;
        for (const QString& name : listingText::fields()) {
            if (name == QLatin1String("state"))
                continue;
            const ColumnDef* column = findListingColumn(name);
            list << qMakePair(name, column && !column->caption.isEmpty() ? column->caption : name);
        }
        return list;
    }();
    return all;
}

Preview preview(const QString& path, int firstRows) {
    const SheetText sheet = readSheet(path);
    Preview seen;
    seen.header = sheet.rows.first();
    seen.rows = sheet.rows.mid(1, firstRows);
    seen.rowCount = sheet.rows.size() - 1;
    for (const QString& caption : std::as_const(seen.header))
        seen.proposed << proposedFor(caption);
    return seen;
}

QList<int> importSheet(SqlStore& store, const QString& path, const QStringList& mapping,
                       const QString& officeId, const QString& loginId,
                       const listingText::Progress& progress) {
    if (!mapping.contains(kType) || !mapping.contains(kTransaction))
        throw listingText::ImportRefused(0, QString(),
                                         QStringLiteral("종목(tb)과 거래(ty)가 될 열을 지정하여 주십시요."));
    for (const QString& column : mapping)
        if (!column.isEmpty() && mapping.count(column) > 1)
            throw listingText::ImportRefused(0, column,
                                             QStringLiteral("두 열이 같은 항목으로 지정되었습니다."));
    const SheetText sheet = readSheet(path);
    QList<ListingRow> rows;
    for (int r = 1; r < sheet.rows.size(); ++r) {
        QStringList values = sheet.rows.at(r);
        const int line = sheet.lines.at(r);
        if (values.size() > mapping.size())
            throw listingText::ImportRefused(
                line, QString(),
                QStringLiteral("값이 %1개입니다 (제목 줄은 %2개).").arg(values.size()).arg(mapping.size()));
        for (int c = 0; c < values.size(); ++c) {
            values[c] = codeOf(mapping.at(c), values.at(c).trimmed());
            if (isNumeric(mapping.at(c)) && !values[c].isEmpty()) {
                // an amount in words would become an empty value: refused instead
                values[c].remove(QLatin1Char(','));
                bool number = false;
                values[c].toDouble(&number);
                if (!number)
                    throw listingText::ImportRefused(line, mapping.at(c),
                                                     QStringLiteral("숫자가 아닙니다: %1").arg(values[c]));
            }
        }
        ListingRow row = listingText::listingRowOf(mapping, values, line, officeId, loginId);
        if (!findPropertyType(row.value(kType).toString()))
            throw listingText::ImportRefused(line, kType, QStringLiteral("알 수 없는 종목입니다."));
        if (!offersTransaction(row.value(kType).toString(), row.value(kTransaction).toString()))
            throw listingText::ImportRefused(line, kTransaction, QStringLiteral("종목에 없는 거래입니다."));
        rows << row;
    }
    return listingText::insertListings(store, rows, progress);
}

} // namespace teran::listingCsv
