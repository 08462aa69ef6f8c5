#include "Contact.h"

#include "core/store/SqlStore.h"

#include <QStringList>

namespace teran {

QString contactColumns() {
    return QStringLiteral("groupin, name, email, homtel, hantel, office, fax, addr1, addr2, addr3, addr4");
}

Contact contactFrom(const QSqlQuery& q, int first) {
    const auto at = [&](int k) { return q.value(first + k).toString(); };
    return {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9), at(10)};
}

void addContact(RowValues& row, const Contact& c) {
    row.set(QStringLiteral("groupin"), c.groupin);
    row.set(QStringLiteral("name"), c.name);
    row.set(QStringLiteral("email"), c.email);
    row.set(QStringLiteral("homtel"), c.homtel);
    row.set(QStringLiteral("hantel"), c.hantel);
    row.set(QStringLiteral("office"), c.office);
    row.set(QStringLiteral("fax"), c.fax);
    row.set(QStringLiteral("addr1"), c.addr1);
    row.set(QStringLiteral("addr2"), c.addr2);
    row.set(QStringLiteral("addr3"), c.addr3);
    row.set(QStringLiteral("addr4"), c.addr4);
}

QString withoutPlaceholder(const QString& value) {
    static const QStringList placeholders{QStringLiteral("지역"), QStringLiteral("시/군/구"),
                                          QStringLiteral("읍/면/동"), QStringLiteral("지번")};
    return placeholders.contains(value) ? QString() : value;
}

Contact withoutPlaceholders(Contact c) {
    for (QString* field : {&c.addr1, &c.addr2, &c.addr3, &c.addr4})
        *field = withoutPlaceholder(*field);
    return c;
}

QString addressLine(const QString& a1, const QString& a2, const QString& a3, const QString& a4) {
    return QStringList{a1, a2, a3, a4}.join(QLatin1Char(' '));
}

void BoundConditions::equals(const QString& column, const QString& value) {
    if (!value.isEmpty())
        add(QStringLiteral(" AND %1 = ?").arg(column), {value});
}

void BoundConditions::contains(const QString& column, const QString& value) {
    if (!value.isEmpty())
        add(QStringLiteral(" AND %1 LIKE ?%2").arg(column, SqlStore::likeEscapeSql()),
            {SqlStore::likeContains(value)});
}

void BoundConditions::atLeast(const QString& column, const QVariant& value) {
    if (!value.isNull())
        add(QStringLiteral(" AND %1 >= ?").arg(column), {value});
}

void BoundConditions::atMost(const QString& column, const QVariant& value) {
    if (!value.isNull())
        add(QStringLiteral(" AND %1 <= ?").arg(column), {value});
}

void BoundConditions::add(const QString& sql, const QVariantList& values) {
    m_sql += sql;
    m_values += values;
}

void addContactSearch(BoundConditions& where, const Contact& search) {
    const Contact s = withoutPlaceholders(search);
    where.equals(QStringLiteral("groupin"), s.groupin);
    where.contains(QStringLiteral("name"), s.name);
    where.contains(QStringLiteral("email"), s.email);
    where.contains(QStringLiteral("homtel"), s.homtel);
    where.contains(QStringLiteral("hantel"), s.hantel);
    where.contains(QStringLiteral("office"), s.office);
    where.contains(QStringLiteral("fax"), s.fax);
    where.equals(QStringLiteral("addr1"), s.addr1);
    where.equals(QStringLiteral("addr2"), s.addr2);
    where.equals(QStringLiteral("addr3"), s.addr3);
    where.contains(QStringLiteral("addr4"), s.addr4);
}

} // namespace teran
