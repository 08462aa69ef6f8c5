#include "ListingCsvFields.h"

#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"
#include "core/listings/ListColumnSets.h"
#include "core/maintenance/ListingTextTransfer.h"

#include <QRegularExpression>
#include <QSet>

namespace teran::listingCsv {

namespace {

const QString kAddress = QStringLiteral("소재지");
const QString kClass = QStringLiteral("분류");
const QStringList kAddressColumns{QStringLiteral("addr1"), QStringLiteral("addr2"), QStringLiteral("addr3"),
                                  QStringLiteral("addr4")};

// Names offices give these fields in files of their own making.
QString aliasOf(const QString& header) {
    static const QHash<QString, QString> aliases{
        {QStringLiteral("주소"), kAddress},
        {QStringLiteral("물건종류"), QStringLiteral("종목")},
        {QStringLiteral("매물종류"), QStringLiteral("종목")},
        {QStringLiteral("거래종류"), QStringLiteral("거래")},
        {QStringLiteral("거래구분"), QStringLiteral("거래")},
    };
    return aliases.value(header);
}

// A column a file may fill: one the text transfer moves between offices, but the state, which
// an imported listing starts without.
bool importable(const QString& column) {
    return column != QLatin1String("state") && listingText::fields().contains(column);
}

// What a list column reads back into; nullopt for the computed and helper ones.
std::optional<FieldFill> fillOf(const ListColumn& column) {
    const QStringList& raw = column.raw;
    if (column.hidden || raw.isEmpty())
        return std::nullopt;
    switch (column.format) {
    case CellFormat::Text:
    case CellFormat::Number:
    case CellFormat::Amount:
    case CellFormat::Yield:
    case CellFormat::BuildingState: // the first column shows when set
        if (!importable(raw.first()))
            return std::nullopt;
        return FieldFill{Fill::Column, {raw.first()}};
    case CellFormat::Pair:
        return FieldFill{Fill::Pair, raw};
    case CellFormat::Parking:
        return FieldFill{Fill::Parking, raw};
    case CellFormat::OwnerPhones: // the first raw column is the reservation, not shown
        return FieldFill{Fill::Phones, raw.mid(1)};
    case CellFormat::TypeLabel:
        return FieldFill{Fill::Type, {QStringLiteral("tb"), QStringLiteral("ty")}};
    case CellFormat::Transaction:
        return FieldFill{Fill::Transaction, {QStringLiteral("ty")}};
    default: // pictures, sums, dates, the office of a shared row
        return std::nullopt;
    }
}

// The lists the fields come from, in the order they are offered: the saved list of all types
// (종목 and 거래 first), the group view, then each type's own list.
const QList<ListColumnSet>& listSets() {
    static const QList<ListColumnSet> sets = [] {
        QList<ListColumnSet> made{sheetColumnsOf(ListKind::Own, {}), ListColsByTb(ListKind::Group, {})};
        for (const QString& tb : propertyTypeCodes())
            made << ListColsByTb(ListKind::Own, tb);
        return made;
    }();
    return sets;
}

std::optional<FieldFill> fillIn(const ListColumnSet& set, const QString& caption) {
    for (const ListColumn& column : set)
        if (column.caption == caption)
            return fillOf(column);
    return std::nullopt;
}

// A form field no list shows alone, by its usual caption.
std::optional<FieldFill> formFillOf(const QString& caption) {
    for (const TypeField& field : allFormFields())
        if (field.caption == caption && importable(field.column))
            return FieldFill{Fill::Column, {field.column}};
    return std::nullopt;
}

bool isWhole(Fill fill) {
    return fill != Fill::Pair && fill != Fill::Phones && fill != Fill::Parking && fill != Fill::Address;
}

struct Offered {
    QStringList captions;
    QHash<QString, QString> captionOfColumn; // the field that names the column best
};

const Offered& offered() {
    static const Offered made = [] {
        QList<QPair<QString, FieldFill>> fields;
        QSet<QString> whole; // columns a field fills on its own
        const auto offer = [&](const QString& caption, const FieldFill& fill) {
            fields << qMakePair(caption, fill);
            if (isWhole(fill.fill))
                whole << fill.columns.first();
        };
        QStringList captions;
        for (const ListColumnSet& set : listSets())
            for (const ListColumn& column : set)
                if (!captions.contains(column.caption))
                    if (const std::optional<FieldFill> fill = fillOf(column)) {
                        captions << column.caption;
                        offer(column.caption, *fill);
                    }
        offer(kAddress, FieldFill{Fill::Address, kAddressColumns});
        captions << kAddress;
        for (const TypeField& field : allFormFields())
            if (!field.caption.isEmpty() && !captions.contains(field.caption) && importable(field.column) &&
                !whole.contains(field.column)) {
                captions << field.caption;
                offer(field.caption, FieldFill{Fill::Column, {field.column}});
            }
        Offered o;
        o.captions = captions;
        // a column is named by the first field that fills it on its own, else by the first
        // that holds it (층수 for floor)
        for (const bool wholeOnly : {true, false})
            for (const auto& [caption, fill] : std::as_const(fields))
                if (!wholeOnly || isWhole(fill.fill))
                    for (const QString& column : wholeOnly ? fill.columns.mid(0, 1) : fill.columns)
                        if (!o.captionOfColumn.contains(column))
                            o.captionOfColumn.insert(column, caption);
        return o;
    }();
    return made;
}

QStringList parts(const QString& text, int count) {
    QStringList split = text.split(QLatin1Char('/'));
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << split.value(i).trimmed();
    return result;
}

// The type and, where the text says it too, the transaction.
QPair<QString, QString> typeOf(const QString& text) {
    static const QRegularExpression withTransaction(QStringLiteral(R"(^(.+?)\s*\((.+)\)$)"));
    const QRegularExpressionMatch m = withTransaction.match(text);
    if (m.hasMatch() && !transactionOf(m.captured(2)).isEmpty())
        return {typeOf(m.captured(1)).first, transactionOf(m.captured(2))};
    if (findPropertyType(text.toLower()))
        return {text.toLower(), {}};
    if (const PropertyType* type = findPropertyTypeByLabel(text))
        return {type->code, {}};
    // the labels a type takes with one transaction only (빌라트, 원/투/쓰리룸)
    for (const PropertyType& type : propertyTypes())
        for (const QChar ty : type.transactions)
            if (propertyTypeLabel(type.code, ty) == text)
                return {type.code, ty};
    return {text, {}};
}

} // namespace

const QStringList& fieldCaptions() {
    return offered().captions;
}

QString proposedField(const QString& header) {
    const QString wanted = header.trimmed();
    if (wanted.isEmpty())
        return {};
    if (fieldCaptions().contains(wanted))
        return wanted;
    if (const QString alias = aliasOf(wanted); !alias.isEmpty())
        return alias;
    for (const QString& column : listingText::fields()) {
        if (column.compare(wanted, Qt::CaseInsensitive) == 0 || anyCaptionOf(column) == wanted) {
            const QString caption = offered().captionOfColumn.value(column);
            if (!caption.isEmpty())
                return caption;
        }
    }
    return {};
}

QString captionOfColumn(const QString& column) {
    const QString caption = offered().captionOfColumn.value(column);
    if (!caption.isEmpty())
        return caption;
    const QString form = anyCaptionOf(column);
    return form.isEmpty() ? column : form;
}

std::optional<FieldFill> fillOf(const QString& caption, const QString& tb) {
    if (caption == kAddress)
        return FieldFill{Fill::Address, kAddressColumns};
    if (caption == kClass)
        return FieldFill{Fill::Class, {QStringLiteral("ty"), QStringLiteral("maemultype")}};
    if (findPropertyType(tb))
        if (std::optional<FieldFill> fill = fillIn(ListColsByTb(ListKind::Own, tb), caption))
            return fill;
    for (const ListColumnSet& set : listSets())
        if (std::optional<FieldFill> fill = fillIn(set, caption))
            return fill;
    return formFillOf(caption);
}

QHash<QString, QString> valuesOf(const FieldFill& field, const QString& text) {
    const QStringList& c = field.columns;
    QHash<QString, QString> values;
    const auto put = [&](const QStringList& columns, const QStringList& texts) {
        for (int i = 0; i < columns.size(); ++i)
            values.insert(columns.at(i), texts.value(i));
    };
    switch (field.fill) {
    case Fill::Column:
        values.insert(c.first(), text);
        break;
    case Fill::Pair:
        put(c, parts(text, 2));
        break;
    case Fill::Phones:
        put(c, text == QLatin1String("-") ? QStringList() : parts(text, int(c.size())));
        break;
    case Fill::Parking: // parking, or "parking_d / parking_u"
        if (text.contains(QLatin1Char('/')))
            put(c.mid(1), parts(text, 2));
        else
            values.insert(c.first(), text);
        break;
    case Fill::Type: {
        const auto [tb, ty] = typeOf(text);
        values.insert(c.first(), tb);
        if (!ty.isEmpty())
            values.insert(c.at(1), ty);
        break;
    }
    case Fill::Transaction: {
        const QString ty = transactionOf(text);
        values.insert(c.first(), ty.isEmpty() ? text : ty);
        break;
    }
    case Fill::Class: {
        const QString ty = transactionOf(text);
        values.insert(ty.isEmpty() ? c.at(1) : c.first(), ty.isEmpty() ? text : ty);
        break;
    }
    case Fill::Address:
        put(c, addressParts(text));
        break;
    }
    return values;
}

QString transactionOf(const QString& text) {
    const QString wanted = text.trimmed();
    for (const QString& ty : transactionCodes())
        if (wanted.compare(ty, Qt::CaseInsensitive) == 0 || wanted == transactionLabel(ty))
            return ty;
    return {};
}

QStringList addressParts(const QString& address) {
    const QStringList tokens = address.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList parts(4);
    if (tokens.isEmpty())
        return parts;
    int i = 0;
    parts[0] = tokens.at(i++);
    const auto endsWithOneOf = [](const QString& token, const QString& ends) {
        return !token.isEmpty() && ends.contains(token.back());
    };
    // the city or county, and a district of a city after it ("성남시 분당구")
    QStringList district;
    while (i < tokens.size() && district.size() < 2 &&
           endsWithOneOf(tokens.at(i), district.isEmpty() ? QStringLiteral("시군구") : QStringLiteral("구")))
        district << tokens.at(i++);
    if (district.isEmpty() && i < tokens.size())
        district << tokens.at(i++);
    parts[1] = district.join(QLatin1Char(' '));
    // the town, and a village of a 읍 or 면 after it ("낭성면 관정리")
    QStringList town;
    if (i < tokens.size())
        town << tokens.at(i++);
    if (!town.isEmpty() && endsWithOneOf(town.first(), QStringLiteral("읍면")) && i < tokens.size() &&
        tokens.at(i).endsWith(QStringLiteral("리")))
        town << tokens.at(i++);
    parts[2] = town.join(QLatin1Char(' '));
    parts[3] = tokens.mid(i).join(QLatin1Char(' '));
    return parts;
}

} // namespace teran::listingCsv
