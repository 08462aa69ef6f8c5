#include "BuyerRegister.h"

#include "MatchHistory.h"
#include "NewestFirst.h"

#include "core/listing/PropertyTypes.h"
#include "core/session/NumberText.h"
#include "core/session/Session.h"
#include "core/session/WorkNotes.h"
#include "core/store/RowWriter.h"

namespace teran {

namespace {

const QString kAllTab = QStringLiteral("전체");
const QString kSaveTitle = QStringLiteral("매수인등록");
const QString kCrLf = QStringLiteral("\r\n");

QString selectBuyers() {
    return QStringLiteral(
               "SELECT table_idx, jubsu, addre1, addre2, addre3, tb, ty, p1, p2, p3, p4, m1, m2, m3, m4, "
               "bigo, txt1, txt2, writeday, ") +
           contactColumns() + QStringLiteral(" FROM maesuin WHERE table_idx > 0");
}

Buyer buyerFrom(const QSqlQuery& q) {
    Buyer b;
    b.number = q.value(0).toInt();
    b.jubsu = q.value(1).toString();
    b.addre1 = q.value(2).toString();
    b.addre2 = q.value(3).toString();
    b.addre3 = q.value(4).toString();
    b.tb = q.value(5).toString();
    b.ty = q.value(6).toString();
    b.area = {q.value(7).toDouble(), q.value(8).toDouble()};
    b.building = {q.value(9).toDouble(), q.value(10).toDouble()};
    b.amount = {q.value(11).toLongLong(), q.value(12).toLongLong()};
    b.rent = {q.value(13).toLongLong(), q.value(14).toLongLong()};
    b.bigo = q.value(15).toString();
    b.registeredBy = q.value(16).toString();
    b.privateTo = q.value(17).toString();
    b.writeday = SqlStore::toDateTime(q.value(18));
    b.contact = contactFrom(q, 19);
    return b;
}

RowValues buyerRow(const Buyer& b, const QString& privateTo) {
    RowValues row;
    addContact(row, withoutPlaceholders(b.contact));
    const bool twoAreas = wantsLandAndBuilding(b.tb);
    row.set(QStringLiteral("jubsu"), b.jubsu);
    row.set(QStringLiteral("addre1"), withoutPlaceholder(b.addre1));
    row.set(QStringLiteral("addre2"), withoutPlaceholder(b.addre2));
    row.set(QStringLiteral("addre3"), withoutPlaceholder(b.addre3));
    row.set(QStringLiteral("tb"), b.tb);
    row.set(QStringLiteral("ty"), b.ty);
    row.set(QStringLiteral("p1"), b.area.from);
    row.set(QStringLiteral("p2"), b.area.to);
    row.set(QStringLiteral("p3"), twoAreas ? b.building.from : 0.0);
    row.set(QStringLiteral("p4"), twoAreas ? b.building.to : 0.0);
    row.set(QStringLiteral("m1"), b.amount.from);
    row.set(QStringLiteral("m2"), b.amount.to);
    row.set(QStringLiteral("m3"), b.rent.from);
    row.set(QStringLiteral("m4"), b.rent.to);
    row.set(QStringLiteral("bigo"), b.bigo);
    row.set(QStringLiteral("txt2"), privateTo);
    return row;
}

std::optional<PersonSaveResult> refusal(const BuyerSave& save) {
    const auto refuse = [](const QString& text) {
        return PersonSaveResult{false, false, 0, text, kSaveTitle};
    };
    if (save.buyer.contact.name.trimmed().isEmpty())
        return refuse(QStringLiteral("매수인을 입력해주세요."));
    if (save.entryWindow && save.buyer.tb.isEmpty())
        return refuse(QStringLiteral("종목을 선택해주세요."));
    if (save.entryWindow && save.buyer.ty.isEmpty())
        return refuse(QStringLiteral("형태를 선택해주세요."));
    return std::nullopt;
}

void addSearchConditions(BoundConditions& where, const BuyerSearch& s) {
    const Buyer& f = s.fields;
    Contact contact = f.contact;
    const QString group = contact.groupin;
    contact.groupin.clear();
    where.equals(QStringLiteral("groupin"), group);
    where.equals(QStringLiteral("jubsu"), f.jubsu);
    addContactSearch(where, contact);
    where.equals(QStringLiteral("addre1"), withoutPlaceholder(f.addre1));
    where.equals(QStringLiteral("addre2"), withoutPlaceholder(f.addre2));
    where.equals(QStringLiteral("addre3"), withoutPlaceholder(f.addre3));
    where.equals(QStringLiteral("tb"), f.tb);
    where.equals(QStringLiteral("ty"), f.ty);
    where.atLeast(QStringLiteral("p1"), s.areaFrom);
    where.atMost(QStringLiteral("p2"), s.areaTo);
    where.atLeast(QStringLiteral("p3"), s.buildingFrom);
    where.atMost(QStringLiteral("p4"), s.buildingTo);
    where.atLeast(QStringLiteral("m1"), s.amountFrom);
    where.atMost(QStringLiteral("m2"), s.amountTo);
    where.atLeast(QStringLiteral("m3"), s.rentFrom);
    where.atMost(QStringLiteral("m4"), s.rentTo);
}

} // namespace

namespace {

// "a~b" + unit, "a+unit~" for an open upper bound, empty when nothing is wanted.
template <typename T> QString rangeText(const WantedRange<T>& range, const QString& unit) {
    const auto n = [](T value) { return formatAmount(qint64(value)); };
    if (range.from <= 0 && range.to <= 0)
        return {};
    if (range.to <= 0)
        return n(range.from) + unit + QLatin1Char('~');
    return n(range.from) + QLatin1Char('~') + n(range.to) + unit;
}

} // namespace

QString wishText(const Buyer& b) {
    const QString won = QStringLiteral("만원");
    const QString pyung = QStringLiteral("평");
    QStringList parts{b.addre1, b.addre2, b.addre3, b.tb, b.ty, rangeText(b.amount, won)};
    if (b.ty == QStringLiteral("월세"))
        parts << QStringLiteral("월 ") + rangeText(b.rent, won);
    parts << rangeText(b.area, pyung);
    if (wantsLandAndBuilding(b.tb))
        parts << QStringLiteral("건물 ") + rangeText(b.building, pyung);
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' ')).simplified();
}

bool wantsLandAndBuilding(const QString& typeLabel) {
    const PropertyType* type = findPropertyTypeByLabel(typeLabel);
    return type && hasLandAndBuildingAreas(type->code);
}

PrivacyMark privacyMarkOf(const Buyer& buyer, const QString& loginId, const QString& officeMainId) {
    const QString owner = buyer.privateTo;
    return {!owner.isEmpty(), owner.isEmpty() || owner == loginId || loginId == officeMainId, owner};
}

QString privateOwnerToStore(bool ticked, const QString& keptOwner, const QString& loginId) {
    if (!ticked)
        return QString();
    return keptOwner.isEmpty() ? loginId : keptOwner;
}

namespace {

// One column of the buyer list: its caption and the text of a buyer's cell.
struct BuyerColumn {
    const char* caption;
    QString (*cell)(const Buyer&);
};

QString amountsOf(const Buyer& b) {
    return formatAmount(b.amount.from) + QLatin1Char('~') + formatAmount(b.amount.to) +
           QStringLiteral(" / ") + formatAmount(b.rent.from) + QLatin1Char('~') + formatAmount(b.rent.to);
}

QString areasOf(const Buyer& b) {
    const auto n = [](double value) { return formatAmount(qint64(value)); };
    return n(b.area.from) + QLatin1Char('~') + n(b.area.to) + QStringLiteral(" / ") + n(b.building.from) +
           QLatin1Char('~') + n(b.building.to);
}

// What the buyer wants comes before the contact columns, which are often empty.
const BuyerColumn kBuyerColumns[] = {
    {"번호", [](const Buyer& b) { return QString::number(b.number); }},
    {"그룹", [](const Buyer& b) { return b.contact.groupin; }},
    {"접수방법", [](const Buyer& b) { return b.jubsu; }},
    {"의뢰자", [](const Buyer& b) { return b.contact.name; }},
    {"종목", [](const Buyer& b) { return b.tb; }},
    {"형태", [](const Buyer& b) { return b.ty; }},
    {"의뢰희망지역",
     [](const Buyer& b) {
         return QStringList{b.addre1, b.addre2, b.addre3}.join(QLatin1Char(' '));
     }},
    {"금액", amountsOf},
    {"평수", areasOf},
    {"이메일", [](const Buyer& b) { return b.contact.email; }},
    {"집전화", [](const Buyer& b) { return b.contact.homtel; }},
    {"핸드폰", [](const Buyer& b) { return b.contact.hantel; }},
    {"사무실", [](const Buyer& b) { return b.contact.office; }},
    {"팩스", [](const Buyer& b) { return b.contact.fax; }},
    {"소재지",
     [](const Buyer& b) {
         const Contact& c = b.contact;
         return addressLine(c.addr1, c.addr2, c.addr3, c.addr4);
     }},
    {"비고", [](const Buyer& b) { return b.bigo; }},
    {"등록일", [](const Buyer& b) { return b.writeday.toString(QStringLiteral("yyyy-MM-dd")); }},
};

} // namespace

QStringList BuyerRegister::listCaptions() {
    QStringList captions;
    for (const BuyerColumn& column : kBuyerColumns)
        captions << QString::fromUtf8(column.caption);
    return captions;
}

QStringList BuyerRegister::cellsOf(const Buyer& b) {
    QStringList cells;
    for (const BuyerColumn& column : kBuyerColumns)
        cells << column.cell(b);
    return cells;
}

QList<qint64> BuyerRegister::areaPresets(const QString& typeLabel) {
    static const QList<qint64> areas{5,     10,    15,    20,    25,     30,     35,     40,    45,
                                     50,    60,    100,   150,   200,    250,    300,    350,   400,
                                     450,   500,   600,   800,   1000,   1500,   2000,   3000,  5000,
                                     10000, 15000, 20000, 50000, 100000, 150000, 300000, 500000};
    // Land starts at 50평.
    return typeLabel == QStringLiteral("토지") ? areas.mid(9) : areas;
}

QList<qint64> BuyerRegister::amountPresets() {
    return {30,    50,    80,     100,    120,    150,    200,    500,    1000,   1500,   2000,  2500,
            3000,  3500,  4000,   4500,   5000,   10000,  15000,  20000,  25000,  30000,  35000, 40000,
            45000, 50000, 100000, 150000, 200000, 250000, 300000, 350000, 400000, 450000, 500000};
}

QStringList BuyerRegister::transactions() {
    return {QStringLiteral("매매"), QStringLiteral("전세"), QStringLiteral("월세"), QStringLiteral("분양권")};
}

QString BuyerRegister::amountCaption(const QString& transaction) {
    const bool lease = transaction == QStringLiteral("전세") || transaction == QStringLiteral("월세");
    return lease ? QStringLiteral("보증금") : QStringLiteral("매 매 가");
}

BuyerRegister::BuyerRegister(Session& session)
    : m_session(session) {}

QString BuyerRegister::movedNote(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" 일에 매수인목록에서 고객관리목록으로 이동함. ") + kCrLf + kCrLf;
}

QString visibleBuyers(const SessionState& state, QVariantList& values) {
    if (state.LoginId == state.OfficeMainId)
        return QString();
    values << state.LoginId;
    return QStringLiteral(" AND (txt2 IS NULL OR txt2 = '' OR txt2 = ?)");
}

QString BuyerRegister::visibility(QVariantList& values) const {
    return visibleBuyers(m_session.state(), values);
}

QString BuyerRegister::moveQuestion() {
    return QStringLiteral("고객관리 목록으로 저장합니다.") + kCrLf + kCrLf +
           QStringLiteral(" 실행하시겠습니까 ?");
}

QString BuyerRegister::where(const BuyerFilter& filter, QVariantList& values) const {
    QString sql = visibility(values);
    BoundConditions conditions;
    if (filter.search)
        addSearchConditions(conditions, *filter.search);
    else if (!filter.tab.isEmpty() && filter.tab != kAllTab)
        conditions.equals(QStringLiteral("groupin"), filter.tab);
    values << conditions.values();
    return sql + conditions.sql();
}

QStringList BuyerRegister::groups() {
    QVariantList values;
    const QString shown = visibility(values);
    QSqlQuery q = m_session.listingStore().query(
        QStringLiteral("SELECT groupin FROM maesuin WHERE groupin IS NOT NULL AND groupin <> ''") + shown +
            QStringLiteral(" GROUP BY groupin ORDER BY groupin"),
        values);
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

int BuyerRegister::count(const BuyerFilter& filter) {
    QVariantList values;
    const QString conditions = where(filter, values);
    return m_session.listingStore()
        .scalar(QStringLiteral("SELECT COUNT(*) FROM maesuin WHERE table_idx > 0") + conditions, values, 0)
        .toInt();
}

QList<Buyer> BuyerRegister::list(const BuyerFilter& filter, int limit, int offset) {
    QVariantList values;
    // Its values first: the page's limit and offset follow them.
    const QString sql = selectBuyers() + where(filter, values);
    return newestFirst<Buyer>(m_session.listingStore(), sql, values, limit, offset, buyerFrom);
}

QList<Buyer> BuyerRegister::wanting(const QString& typeLabel, const QString& transaction,
                                    const QString& addr1, const QString& addr2, const QString& addr3) {
    QVariantList values{typeLabel, transaction, addr1, addr2, addr3};
    QString sql = selectBuyers() +
                  QStringLiteral(" AND tb = ? AND ty = ? AND (addre1 IS NULL OR addre1 = '' OR addre1 = ?)"
                                 " AND (addre2 IS NULL OR addre2 = '' OR addre2 = ?)"
                                 " AND (addre3 IS NULL OR addre3 = '' OR addre3 = ?)");
    sql += visibility(values);
    sql += QStringLiteral(" ORDER BY writeday DESC, table_idx DESC");
    QSqlQuery q = m_session.listingStore().query(sql, values);
    QList<Buyer> buyers;
    while (q.next())
        buyers << buyerFrom(q);
    return buyers;
}

std::optional<Buyer> BuyerRegister::read(int number) {
    QVariantList values{number};
    const QString sql = selectBuyers() + QStringLiteral(" AND table_idx = ?") + visibility(values);
    QSqlQuery q = m_session.listingStore().query(sql, values);
    if (!q.next())
        return std::nullopt;
    return buyerFrom(q);
}

PersonSaveResult BuyerRegister::save(const BuyerSave& save) {
    if (const auto refused = refusal(save))
        return *refused;
    SqlStore& store = m_session.listingStore();
    const SessionState& state = m_session.state();
    const Buyer& b = save.buyer;
    RowValues row = buyerRow(b, privateOwnerToStore(save.ticked, b.privateTo, state.LoginId));
    const bool created = b.number <= 0;
    const int number = store.transact([&] {
        if (!created) {
            if (!read(b.number))
                throw StoreError(QStringLiteral("buyer %1 is no longer there").arg(b.number),
                                 QStringLiteral("BuyerRegister"));
            updateRows(store, QStringLiteral("maesuin"), row, QStringLiteral("table_idx = ?"), {b.number});
            return b.number;
        }
        row.set(QStringLiteral("txt1"), state.LoginId);
        row.set(QStringLiteral("writeday"), m_session.clock().now());
        const int n = insertRow(store, QStringLiteral("maesuin"), row).toInt();
        if (save.entryWindow && !save.note.trimmed().isEmpty())
            WorkNoteBook(m_session).add({NoteKind::Buyer, n, state.OfficeMainId,
                                         save.noteDay.isValid() ? save.noteDay : m_session.clock().today(),
                                         save.note, QString(), QString(), QString()});
        return n;
    });
    if (created)
        return {true, true, number,
                save.entryWindow ? QStringLiteral("매수인정보등록을 완료하였습니다.")
                                 : QStringLiteral("등록되었습니다"),
                QStringLiteral("매수인 등록하기")};
    return {true, false, number,
            save.entryWindow ? QStringLiteral("매수인정보가 수정되었습니다.")
                             : QStringLiteral("수정되었습니다"),
            QStringLiteral("매수인 수정하기")};
}

void BuyerRegister::remove(int number) {
    SqlStore& store = m_session.listingStore();
    store.transact([&] {
        if (!read(number))
            throw StoreError(QStringLiteral("buyer %1 is no longer there").arg(number),
                             QStringLiteral("BuyerRegister"));
        store.execute(QStringLiteral("DELETE FROM maesuin WHERE table_idx = ?"), {number});
        WorkNoteBook(m_session).removeAllOf(NoteKind::Buyer, number);
        MatchHistory(m_session).removeAllOf(number);
    });
}

bool BuyerRegister::customerNamed(const QString& name) {
    return m_session.listingStore()
               .scalar(QStringLiteral("SELECT COUNT(*) FROM namecard WHERE part = ? AND name = ?"),
                       {cardKind(CardPart::Customer).partValue, name}, 0)
               .toInt() > 0;
}

int BuyerRegister::moveToCustomers(int number, const QString& entryNote) {
    SqlStore& store = m_session.listingStore();
    return store.transact([&] {
        const std::optional<Buyer> buyer = read(number);
        if (!buyer)
            throw StoreError(QStringLiteral("buyer %1 is no longer there").arg(number),
                             QStringLiteral("BuyerRegister"));
        Contact contact = withoutPlaceholders(buyer->contact);
        contact.groupin = QStringLiteral("매수인");
        RowValues row{{QStringLiteral("part"), cardKind(CardPart::Customer).partValue},
                      {QStringLiteral("company"), QString()},
                      {QStringLiteral("writeday"), m_session.clock().now()}};
        addContact(row, contact);
        const int customer = insertRow(store, QStringLiteral("namecard"), row).toInt();
        const QDate today = m_session.clock().today();
        QString note = movedNote(today);
        if (!entryNote.trimmed().isEmpty())
            note += QString(40, QLatin1Char('-')) + kCrLf + entryNote;
        WorkNoteBook notes(m_session);
        notes.add({NoteKind::Customer, customer, m_session.state().OfficeMainId, today, note, QString(),
                   QString(), QString()});
        notes.copyAll(NoteKind::Buyer, number, NoteKind::Customer, customer);
        return customer;
    });
}

} // namespace teran
