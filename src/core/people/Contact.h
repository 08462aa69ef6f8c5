#pragma once

#include "core/store/RowWriter.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace teran {

// What a buyer, a card and a customer share: the group, the name and the ways to reach the
// person, and the person's own address (region, district, town, the rest).
struct Contact {
    QString groupin;
    QString name;
    QString email;
    QString homtel;
    QString hantel;
    QString office;
    QString fax;
    QString addr1;
    QString addr2;
    QString addr3;
    QString addr4;
};

// The columns of a contact in the order contactFrom reads them.
QString contactColumns();
Contact contactFrom(const QSqlQuery& q, int first);
void addContact(RowValues& row, const Contact& contact);
// The address combos' placeholders ("지역", "시/군/구", "읍/면/동", "지번") are stored empty.
QString withoutPlaceholder(const QString& value);
Contact withoutPlaceholders(Contact contact);
// addr1 ~ addr4 joined by blanks, as the lists show where a person lives.
QString addressLine(const QString& a1, const QString& a2, const QString& a3, const QString& a4);

// Search conditions bound to their values, each added only when the user typed something.
class BoundConditions {
public:
    void equals(const QString& column, const QString& value);
    void contains(const QString& column, const QString& value); // LIKE '%…%', wildcards as typed
    void atLeast(const QString& column, const QVariant& value); // skipped when null
    void atMost(const QString& column, const QVariant& value);
    void add(const QString& sql, const QVariantList& values);

    const QString& sql() const { return m_sql; } // " AND …" pieces
    const QVariantList& values() const { return m_values; }

private:
    QString m_sql;
    QVariantList m_values;
};

// The search of the people windows over the contact fields: the group and the address combos
// must equal, the other fields contain what was typed.
void addContactSearch(BoundConditions& where, const Contact& search);

} // namespace teran
