#include "CardBook.h"
#include "NewestFirst.h"

#include "core/session/Session.h"
#include "core/session/WorkNotes.h"
#include "core/store/RowWriter.h"

namespace teran {

namespace {

const QString kAllTab = QStringLiteral("전체");

CardKind makeKind(CardPart part) {
    if (part == CardPart::Namecard)
        return {part,
                QStringLiteral("namecard"),
                NoteKind::Card,
                QStringLiteral("frmNamecard"),
                LayoutKind::Namecard,
                QStringLiteral("명함집관리 (총 "),
                QStringLiteral("명함집관리 (검색결과 "),
                QStringLiteral("명함집등록"),
                QStringLiteral("명함 등록하기"),
                QStringLiteral("* 명함집 상세내용"),
                QStringLiteral("명함관리 Form_Resize  => ")};
    return {part,
            QStringLiteral("customer"),
            NoteKind::Customer,
            QStringLiteral("frmCustomer"),
            LayoutKind::Customer,
            QStringLiteral("고객관리 (총 "),
            QStringLiteral("고객관리 (검색결과 "),
            QStringLiteral("고객등록"),
            QStringLiteral("고객 등록하기"),
            QStringLiteral("* 고객 상세내용 "),
            QStringLiteral("고객관리 Form_Resize  => ")};
}

Card cardFrom(const QSqlQuery& q) {
    Card card;
    card.number = q.value(0).toInt();
    card.company = q.value(1).toString();
    card.writeday = SqlStore::toDateTime(q.value(2));
    card.contact = contactFrom(q, 3);
    return card;
}

QString selectCards() {
    return QStringLiteral("SELECT table_idx, company, writeday, ") + contactColumns() +
           QStringLiteral(" FROM namecard WHERE part = ?");
}

} // namespace

QString personLoadingText(const QString& prefix, int total, int rows) {
    return prefix + QString::number(total) + QStringLiteral(" 개의 데이타중 ") + QString::number(rows) +
           QStringLiteral(" 개 로딩중입니다.)");
}

QString personFoundText(const QString& prefix, int total) {
    return prefix + QString::number(total) + QStringLiteral(" 명)");
}

const CardKind& cardKind(CardPart part) {
    static const CardKind cards = makeKind(CardPart::Namecard);
    static const CardKind customers = makeKind(CardPart::Customer);
    return part == CardPart::Namecard ? cards : customers;
}

CardBook::CardBook(Session& session, CardPart part)
    : m_session(session)
    , m_kind(cardKind(part)) {}

QString CardBook::notePlaceholder() {
    return QStringLiteral("상세내용입력");
}

QStringList CardBook::listCaptions() {
    return {QStringLiteral("번호"),   QStringLiteral("그룹"),   QStringLiteral("회사명"),
            QStringLiteral("이름"),   QStringLiteral("이메일"), QStringLiteral("집전화"),
            QStringLiteral("핸드폰"), QStringLiteral("사무실"), QStringLiteral("팩스"),
            QStringLiteral("소재지"), QStringLiteral("등록일")};
}

QStringList CardBook::cellsOf(const Card& card) {
    const Contact& c = card.contact;
    return {QString::number(card.number),
            c.groupin,
            card.company,
            c.name,
            c.email,
            c.homtel,
            c.hantel,
            c.office,
            c.fax,
            addressLine(c.addr1, c.addr2, c.addr3, c.addr4),
            card.writeday.toString(QStringLiteral("yyyy-MM-dd"))};
}

QStringList CardBook::groups() {
    QSqlQuery q = m_session.listingStore().query(
        QStringLiteral(
            "SELECT groupin FROM namecard WHERE part = ? AND groupin IS NOT NULL AND groupin <> '' "
            "GROUP BY groupin ORDER BY groupin"),
        {m_kind.partValue});
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString CardBook::where(const CardFilter& filter, QVariantList& values) const {
    BoundConditions conditions;
    if (filter.search) {
        conditions.contains(QStringLiteral("company"), filter.search->company);
        addContactSearch(conditions, filter.search->contact);
    } else if (!filter.tab.isEmpty() && filter.tab != kAllTab) {
        conditions.add(QStringLiteral(" AND groupin = ?"), {filter.tab});
    }
    values << m_kind.partValue << conditions.values();
    return conditions.sql();
}

int CardBook::count(const CardFilter& filter) {
    QVariantList values;
    const QString conditions = where(filter, values);
    return m_session.listingStore()
        .scalar(QStringLiteral("SELECT COUNT(*) FROM namecard WHERE part = ?") + conditions, values, 0)
        .toInt();
}

QList<Card> CardBook::list(const CardFilter& filter, int limit, int offset) {
    QVariantList values;
    // Its values first: the page's limit and offset follow them.
    const QString sql = selectCards() + where(filter, values);
    return newestFirst<Card>(m_session.listingStore(), sql, values, limit, offset, cardFrom);
}

std::optional<Card> CardBook::read(int number) {
    QSqlQuery q = m_session.listingStore().query(selectCards() + QStringLiteral(" AND table_idx = ?"),
                                                 {m_kind.partValue, number});
    if (!q.next())
        return std::nullopt;
    return cardFrom(q);
}

PersonSaveResult CardBook::save(const Card& card, const QString& note) {
    if (card.contact.name.trimmed().isEmpty())
        return {false, false, 0, QStringLiteral("이름을 입력해주세요."), m_kind.emptyNameTitle};
    SqlStore& store = m_session.listingStore();
    RowValues row{{QStringLiteral("company"), card.company}};
    addContact(row, withoutPlaceholders(card.contact));
    const bool created = card.number <= 0;
    const int number = store.transact([&] {
        int n = card.number;
        if (created) {
            row.set(QStringLiteral("part"), m_kind.partValue);
            row.set(QStringLiteral("writeday"), m_session.clock().now());
            n = insertRow(store, QStringLiteral("namecard"), row).toInt();
        } else {
            // Checked by reading: MariaDB counts a row saved unchanged as no row changed.
            if (!read(n))
                throw StoreError(QStringLiteral("card %1 is no longer there").arg(n),
                                 QStringLiteral("CardBook"));
            updateRows(store, QStringLiteral("namecard"), row, QStringLiteral("table_idx = ?"), {n});
        }
        if (!note.trimmed().isEmpty() && note != notePlaceholder())
            WorkNoteBook(m_session).add({m_kind.noteKind, n, m_session.state().OfficeMainId,
                                         m_session.clock().today(), note, QString(), QString(), QString()});
        return n;
    });
    if (created)
        return {true, true, number, QStringLiteral("등록되었습니다"), m_kind.newTitle};
    return {true, false, number, QStringLiteral("수정되었습니다."), QStringLiteral("수정완료")};
}

void CardBook::remove(int number) {
    SqlStore& store = m_session.listingStore();
    store.transact([&] {
        store.execute(QStringLiteral("DELETE FROM namecard WHERE table_idx = ? AND part = ?"),
                      {number, m_kind.partValue});
        WorkNoteBook(m_session).removeAllOf(m_kind.noteKind, number);
    });
}

} // namespace teran
