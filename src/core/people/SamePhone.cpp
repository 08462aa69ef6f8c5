#include "SamePhone.h"

#include "BuyerRegister.h"
#include "CardBook.h"
#include "core/session/Session.h"

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
    QString condition; // which rows, and who the user may see
    QVariantList values;
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
    QVariantList buyerValues;
    const QString buyers = visibleBuyers(state, buyerValues);
    const QList<Place> places{
        {QStringLiteral("maesuin"), QStringLiteral("매수인"), QStringLiteral("name"),
         QStringLiteral("hantel"), buyers, buyerValues},
        {QStringLiteral("namecard"),
         QStringLiteral("고객"),
         QStringLiteral("name"),
         QStringLiteral("hantel"),
         QStringLiteral(" AND part = ?"),
         {cardKind(CardPart::Customer).partValue}},
        {QStringLiteral("namecard"),
         QStringLiteral("명함"),
         QStringLiteral("name"),
         QStringLiteral("hantel"),
         QStringLiteral(" AND part = ?"),
         {cardKind(CardPart::Namecard).partValue}},
        // An owner hidden by another user stays hidden here too.
        {QStringLiteral("maemul"),
         QStringLiteral("매물 소유자"),
         QStringLiteral("uname"),
         QStringLiteral("uhp"),
         QStringLiteral(" AND (opid IS NULL OR opid = '' OR opid = ?)"),
         {state.LoginId}},
    };
    SqlStore& store = session.listingStore();
    for (const Place& place : places) {
        const QVariantList values = QVariantList{digits, place.table == table ? number : 0} + place.values;
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
