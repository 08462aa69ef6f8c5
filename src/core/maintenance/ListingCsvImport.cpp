#include "ListingCsvImport.h"

#include "ListingCsvFields.h"
#include "core/listing/ListingColumns.h"
#include "core/listing/PropertyTypes.h"
#include "core/listings/SheetFile.h"
#include "core/register/AdvertisingFacts.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>

namespace teran::listingCsv {

namespace {

const QString kTb = QStringLiteral("tb");
const QString kTy = QStringLiteral("ty");

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

bool isNumeric(const QString& column) {
    const ColumnDef* def = findListingColumn(column);
    return def && (def->type == ColumnType::Integer || def->type == ColumnType::BigInt ||
                   def->type == ColumnType::Decimal);
}

double amountOf(const QHash<QString, QString>& values, const char* column) {
    return values.value(QString::fromLatin1(column)).toDouble();
}

// The transaction a listing's amounts say, for a file that does not name it: a sale price makes
// a sale, a lump-sum deposit a lease, a monthly deposit or rent a monthly rent.
QString transactionOfAmounts(const QHash<QString, QString>& values) {
    if (amountOf(values, "money_m") > 0)
        return QStringLiteral("M");
    if (amountOf(values, "money_jb") > 0)
        return QStringLiteral("J");
    if (amountOf(values, "money_b") > 0 || amountOf(values, "money_w") > 0)
        return QStringLiteral("W");
    return {};
}

// The field captions of a mapping: a column's name stands for its field.
QStringList fieldsOf(const QStringList& mapping) {
    QStringList fields;
    for (const QString& entry : mapping) {
        const QString field =
            entry.isEmpty() || fieldCaptions().contains(entry) ? entry : proposedField(entry);
        if (!entry.isEmpty() && field.isEmpty())
            throw listingText::ImportRefused(0, entry, QStringLiteral("가져올 수 없는 항목입니다."));
        fields << field;
    }
    if (!fields.contains(captionOfColumn(kTb)))
        throw listingText::ImportRefused(0, QString(), QStringLiteral("종목이 될 열을 지정하여 주십시요."));
    for (const QString& field : std::as_const(fields))
        if (!field.isEmpty() && fields.count(field) > 1)
            throw listingText::ImportRefused(0, field,
                                             QStringLiteral("두 열이 같은 항목으로 지정되었습니다."));
    return fields;
}

QString missingReason(const AdvertisingFact& fact) {
    QStringList captions;
    for (const QString& column : fact.columns)
        captions << captionOfColumn(column);
    return fact.everyColumn
               ? QStringLiteral("%1 모두 적어야 합니다.").arg(captions.join(QStringLiteral(", ")))
               : QStringLiteral("%1 중 하나는 적어야 합니다.").arg(captions.join(QStringLiteral(", ")));
}

// The fields of a file's columns and what they fill in a listing of each type, found once a type.
class FileFields {
public:
    explicit FileFields(QStringList captions)
        : m_captions(std::move(captions)) {}

    const QString& caption(int column) const { return m_captions.at(column); }
    const QList<std::optional<FieldFill>>& fillsFor(const QString& tb) {
        auto it = m_fills.find(tb);
        if (it == m_fills.end()) {
            QList<std::optional<FieldFill>> fills;
            for (const QString& caption : std::as_const(m_captions))
                fills << (caption.isEmpty() ? std::nullopt : fillOf(caption, tb));
            it = m_fills.insert(tb, fills);
        }
        return it.value();
    }

private:
    QStringList m_captions;
    QHash<QString, QList<std::optional<FieldFill>>> m_fills;
};

// One line of the file as listing values by column, with the caption of the field that gave each.
class LineValues {
public:
    LineValues(FileFields& fields, const QStringList& cells, int line)
        : m_line(line) {
        // the type first: what some captions fill depends on it (평형 of 다가구)
        const QList<std::optional<FieldFill>>& plain = fields.fillsFor({});
        for (int c = 0; c < cells.size(); ++c)
            if (plain.at(c) && plain.at(c)->fill == Fill::Type)
                take(fields.caption(c), *plain.at(c), cells.at(c).trimmed());
        const QList<std::optional<FieldFill>>& ofType = fields.fillsFor(m_values.value(kTb));
        for (int c = 0; c < cells.size(); ++c)
            if (ofType.at(c) && ofType.at(c)->fill != Fill::Type)
                take(fields.caption(c), *ofType.at(c), cells.at(c).trimmed());
        checkNumbers();
        if (m_values.value(kTy).isEmpty() && !transactionOfAmounts(m_values).isEmpty())
            m_values.insert(kTy, transactionOfAmounts(m_values));
    }

    ListingRow row(const QString& officeId, const QString& loginId) const {
        QStringList columns, texts;
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
            columns << it.key();
            texts << it.value();
        }
        try {
            return listingText::listingRowOf(columns, texts, m_line, officeId, loginId);
        } catch (const listingText::ImportRefused& refused) {
            throw listingText::ImportRefused(m_line, m_named.value(refused.column(), refused.column()),
                                             refused.reason());
        }
    }

private:
    void take(const QString& caption, const FieldFill& fill, const QString& text) {
        const QHash<QString, QString> given = valuesOf(fill, text);
        for (auto it = given.cbegin(); it != given.cend(); ++it) {
            // an empty cell leaves what another field gave
            if (it.value().isEmpty() && !m_values.value(it.key()).isEmpty())
                continue;
            m_values.insert(it.key(), it.value());
            m_named.insert(it.key(), caption);
        }
    }

    // An amount in words would be stored as nothing: refused instead.
    void checkNumbers() {
        for (auto it = m_values.begin(); it != m_values.end(); ++it) {
            if (!isNumeric(it.key()) || it.value().isEmpty())
                continue;
            it.value().remove(QLatin1Char(','));
            bool number = false;
            it.value().toDouble(&number);
            if (!number)
                throw listingText::ImportRefused(m_line, m_named.value(it.key()),
                                                 QStringLiteral("숫자가 아닙니다: %1").arg(it.value()));
        }
    }

    int m_line;
    QHash<QString, QString> m_values; // column -> text
    QHash<QString, QString> m_named;  // column -> caption of the field that gave it
};

void checkListing(const ListingRow& row, int line) {
    const QString tb = row.value(kTb).toString();
    if (!findPropertyType(tb))
        throw listingText::ImportRefused(line, captionOfColumn(kTb),
                                         tb.isEmpty() ? QStringLiteral("비어 있습니다.")
                                                      : QStringLiteral("알 수 없는 종목입니다: %1").arg(tb));
    const QList<AdvertisingFact> missing = missingCoreFactsOf(row);
    if (!missing.isEmpty())
        throw listingText::ImportRefused(line, missing.first().caption, missingReason(missing.first()));
    const QString ty = row.value(kTy).toString();
    if (!offersTransaction(tb, ty))
        throw listingText::ImportRefused(line, captionOfColumn(kTy),
                                         QStringLiteral("종목에 없는 거래입니다: %1").arg(ty));
}

} // namespace

Preview preview(const QString& path, int firstRows) {
    const SheetText sheet = readSheet(path);
    Preview seen;
    seen.header = sheet.rows.first();
    seen.rows = sheet.rows.mid(1, firstRows);
    seen.rowCount = sheet.rows.size() - 1;
    for (const QString& caption : std::as_const(seen.header)) {
        const QString field = proposedField(caption);
        seen.proposed << (seen.proposed.contains(field) ? QString() : field);
    }
    return seen;
}

SheetListings readListings(const QString& path, const QStringList& mapping, const QString& officeId,
                           const QString& loginId, const QDateTime& now) {
    FileFields fields(fieldsOf(mapping));
    const SheetText sheet = readSheet(path);
    SheetListings read;
    for (int r = 1; r < sheet.rows.size(); ++r) {
        const QStringList& cells = sheet.rows.at(r);
        const int line = sheet.lines.at(r);
        if (cells.size() > mapping.size())
            throw listingText::ImportRefused(
                line, QString(),
                QStringLiteral("값이 %1개입니다 (제목 줄은 %2개).").arg(cells.size()).arg(mapping.size()));
        ListingRow row = LineValues(fields, cells, line).row(officeId, loginId);
        for (const QString& day : {QStringLiteral("writeday"), QStringLiteral("showday")})
            if (row.value(day).isNull())
                row.insert(day, now);
        checkListing(row, line);
        read.rows << row;
        read.lines << line;
    }
    return read;
}

int heldOnTheirLots(SqlStore& store, const QList<ListingRow>& rows) {
    return int(std::count_if(rows.cbegin(), rows.cend(),
                             [&](const ListingRow& row) { return !listingsOnLotOf(store, row).isEmpty(); }));
}

QList<int> importSheet(SqlStore& store, const QString& path, const QStringList& mapping,
                       const QString& officeId, const QString& loginId, const QDateTime& now,
                       const listingText::Progress& progress) {
    return listingText::insertListings(store, readListings(path, mapping, officeId, loginId, now).rows,
                                       progress);
}

} // namespace teran::listingCsv
