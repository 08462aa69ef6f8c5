#include "ListingValue.h"

#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QDateTime>
#include <cmath>
#include <limits>
#include <optional>

namespace teran {

namespace {

const QString kSource = QStringLiteral("ListingValue");

[[noreturn]] void refuse(const ColumnDef& column, const QString& what, const QVariant& value) {
    throw StoreError(QStringLiteral("maemul.%1: %2: %3").arg(column.name, what, value.toString()), kSource);
}

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
}

// A whole number from a number or numeric text; nullopt for empty text.
std::optional<qint64> wholeNumber(const ColumnDef& column, const QVariant& value) {
    bool ok = false;
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return std::nullopt;
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return whole;
        const double number = text.toDouble(&ok);
        if (ok && std::isfinite(number) && number == std::trunc(number) && std::abs(number) < 9.0e18)
            return qint64(number);
        refuse(column, QStringLiteral("not a whole number"), value);
    }
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::trunc(number) && std::abs(number) < 9.0e18)
            return qint64(number);
        refuse(column, QStringLiteral("not a whole number"), value);
    }
    const qint64 whole = value.toLongLong(&ok);
    if (!ok)
        refuse(column, QStringLiteral("not a whole number"), value);
    return whole;
}

QVariant decimalValue(const ColumnDef& column, const QVariant& value) {
    bool ok = false;
    double number = 0;
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        number = text.toDouble(&ok);
    } else {
        number = value.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
        refuse(column, QStringLiteral("not a number"), value);
    return number;
}

// Dates are kept to the second: MariaDB's DATETIME has no fractions and SQLite's text form
// must compare the same way.
QVariant dateValue(const ColumnDef& column, const QVariant& value) {
    if (isText(value) && value.toString().trimmed().isEmpty())
        return {};
    QDateTime when = SqlStore::toDateTime(value);
    if (!when.isValid())
        refuse(column, QStringLiteral("not a date"), value);
    when.setTime(QTime(when.time().hour(), when.time().minute(), when.time().second()));
    return when;
}

int digits(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// SQLite keeps dates as "yyyy-MM-dd HH:mm:ss"; reading them is the bulk of a page read, so
// that form is taken apart directly and anything else goes to the general parser.
QDateTime storedDateTime(const QVariant& stored) {
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString();
        if (text.size() == 19 && text[4] == u'-' && text[7] == u'-' && text[10] == u' ' && text[13] == u':' &&
            text[16] == u':') {
            const QDate day(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
            const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
            if (day.isValid() && time.isValid())
                return QDateTime(day, time);
        }
    }
    return SqlStore::toDateTime(stored);
}

// Values that already have the column's own type pass unchanged (the common case of a bulk
// import, which converts millions of them).
bool alreadyStored(const ColumnDef& column, const QVariant& value) {
    switch (column.type) {
    case ColumnType::Integer:
        return value.typeId() == QMetaType::Int;
    case ColumnType::BigInt:
        return value.typeId() == QMetaType::LongLong;
    case ColumnType::Decimal:
        return value.typeId() == QMetaType::Double && std::isfinite(value.toDouble());
    case ColumnType::DateTime:
        return value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid() &&
               value.toDateTime().time().msec() == 0;
    case ColumnType::Text:
        return value.typeId() == QMetaType::QString;
    }
    return false;
}

} // namespace

QVariant listingValueFor(const ColumnDef& column, const QVariant& value) {
    if (value.isNull())
        return {};
    if (alreadyStored(column, value))
        return value;
    switch (column.type) {
    case ColumnType::Integer: {
        const auto whole = wholeNumber(column, value);
        if (!whole)
            return {};
        if (*whole < std::numeric_limits<int>::min() || *whole > std::numeric_limits<int>::max())
            refuse(column, QStringLiteral("out of range"), value);
        return int(*whole);
    }
    case ColumnType::BigInt: {
        const auto whole = wholeNumber(column, value);
        return whole ? QVariant(*whole) : QVariant();
    }
    case ColumnType::Decimal:
        return decimalValue(column, value);
    case ColumnType::DateTime:
        return dateValue(column, value);
    case ColumnType::Text:
        return value.toString();
    }
    return value;
}

QVariant listingValueFromStore(const ColumnDef& column, const QVariant& stored) {
    if (stored.isNull())
        return {};
    switch (column.type) {
    case ColumnType::Integer:
        return stored.toInt();
    case ColumnType::BigInt:
        return stored.toLongLong();
    case ColumnType::Decimal:
        return stored.toDouble();
    case ColumnType::DateTime:
        return storedDateTime(stored);
    case ColumnType::Text:
        return stored.toString();
    }
    return stored;
}

} // namespace teran
