#include "SamePhone.h"

#include "session/Session.h"

namespace teran {

namespace {

// The column with its separators taken out, so that the stored form does not matter.
QString digitsOf(const QString& column) {
    return QStringLiteral("REPLACE(REPLACE(REPLACE(%1, '-', ''), ' ', ''), '.', '')").arg(column);
}

struct Place {
    QString table;
    QString kind;
    QString nameColumn;
    QString phoneColumn;
    QString condition; // who the user may see; "?" for the login id
};

} // namespace

QString phoneDigits(const QString& phone) {
    QString digits;
    for (const QChar c : phone)
        if (c.isDigit())
            digits += c;
    return digits;
}

std::optional<PhoneHolder> findPhoneHolder(Session& session, const QString& mobile, const QString& table,
                                           int number) {
    const QString digits = phoneDigits(mobile);
    if (digits.isEmpty())
        return std::nullopt;
    const SessionState& state = session.state();
    const bool main = state.LoginId == state.OfficeMainId;
    const QString privateBuyers =
        main ? QString() : QStringLiteral(" AND (txt2 IS NULL OR txt2 = '' OR txt2 = ?)");
    const QList<Place> places{
        {QStringLiteral("maesuin"), QStringLiteral("매수인"), QStringLiteral("name"),
         QStringLiteral("hantel"), privateBuyers},
        {QStringLiteral("namecard"), QStringLiteral("고객"), QStringLiteral("name"), QStringLiteral("hantel"),
         QStringLiteral(" AND part = 'customer'")},
        {QStringLiteral("namecard"), QStringLiteral("명함"), QStringLiteral("name"), QStringLiteral("hantel"),
         QStringLiteral(" AND part = 'namecard'")},
        // An owner hidden by another user stays hidden here too.
        {QStringLiteral("maemul"), QStringLiteral("매물 소유자"), QStringLiteral("uname"),
         QStringLiteral("uhp"), QStringLiteral(" AND (opid IS NULL OR opid = '' OR opid = ?)")},
    };
    SqlStore& store = session.listingStore();
    for (const Place& place : places) {
        QVariantList values{digits, place.table == table ? number : 0};
        if (place.condition.contains(QLatin1Char('?')))
            values << state.LoginId;
        QSqlQuery q = store.query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND table_idx <> ?")
                                          .arg(place.nameColumn, place.table, digitsOf(place.phoneColumn)) +
                                      place.condition + QStringLiteral(" ORDER BY table_idx"),
                                  values);
        if (q.next())
            return PhoneHolder{place.kind, q.value(0).toString()};
    }
    return std::nullopt;
}

QString samePhoneQuestion(const PhoneHolder& holder) {
    return QStringLiteral("같은 휴대폰 번호가 %1 '%2'에 있습니다. 계속 저장하시겠습니까 ?")
        .arg(holder.kind, holder.name);
}

} // namespace teran
