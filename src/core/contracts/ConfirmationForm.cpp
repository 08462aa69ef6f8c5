#include "ConfirmationForm.h"
#include "core/session/Session.h"
#include "core/store/RowWriter.h"

#include "ResidentNumber.h"
#include "core/listings/ListingSheet.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/register/AddressPick.h"
#include "core/store/SqlStore.h"

#include <QMap>
#include <QRegularExpression>
#include <QSqlQuery>

namespace teran {

namespace {

const QString kFormTable = QStringLiteral("mem_moo_mul");

ConfirmationBox box(int array, int index, const QString& caption, const QString& prefix = {},
                    const QString& suffix = {}) {
    return ConfirmationBox{array, index, caption, prefix, suffix, false};
}
ConfirmationBox single(int array, const QString& caption) {
    return ConfirmationBox{array, -1, caption, {}, {}, false};
}
ConfirmationBox number(int array, int index, const QString& caption) {
    return ConfirmationBox{array, index, caption, {}, {}, true};
}
ConfirmationChoice choice(const QString& caption, const QStringList& options,
                          std::optional<ConfirmationBox> detail = {}) {
    return ConfirmationChoice{caption, options, std::move(detail)};
}

const QStringList kFinish{QStringLiteral("해당없음"), QStringLiteral("도색필요"), QStringLiteral("보통임"),
                          QStringLiteral("깨끗함")};
const QStringList kUtility{QStringLiteral("불량"), QStringLiteral("보통"), QStringLiteral("양호")};
const QStringList kNuisance{QStringLiteral("심한편임"), QStringLiteral("보통임"), QStringLiteral("미미함")};
const QStringList kAccess{QStringLiteral("불편함"), QStringLiteral("용이함")};

// The state of the building and its services, each a choice (some with a box beside it).
ConfirmationSection facilitiesSection() {
    return ConfirmationSection{
        QStringLiteral("5. 내부·외부 시설물의 상태"),
        {choice(QStringLiteral("소방"),
                {QStringLiteral("소화기"), QStringLiteral("비상사다리"), QStringLiteral("비상벨")},
                box(5, 0, QStringLiteral("소화기"), QStringLiteral("( "), QStringLiteral(" )개"))),
         choice(QStringLiteral("누수"), {QStringLiteral("누수있음"), QStringLiteral("누수없음")}),
         choice(QStringLiteral("균열"), {QStringLiteral("균열있음"), QStringLiteral("균열없음")}),
         choice(QStringLiteral("벽면"), kFinish),
         choice(QStringLiteral("바닥면"), kFinish),
         choice(QStringLiteral("도배"), kFinish),
         choice(QStringLiteral("출입문·창호"),
                {QStringLiteral("불량함"), QStringLiteral("보통임"), QStringLiteral("양호함")}),
         choice(QStringLiteral("비선호시설(1km이내)"), {QStringLiteral("있음"), QStringLiteral("없음")},
                box(6, 5, QStringLiteral("종류"), QStringLiteral("(종류:"), QStringLiteral(")"))),
         choice(QStringLiteral("소음"), kNuisance),
         choice(QStringLiteral("진동"), kNuisance),
         choice(QStringLiteral("일조량"), {QStringLiteral("풍부하지못함"), QStringLiteral("풍부함")},
                box(6, 3, QStringLiteral("이유"), QStringLiteral("(이유:"), QStringLiteral(")"))),
         choice(QStringLiteral("수도"), kUtility),
         choice(QStringLiteral("전기"), kUtility),
         choice(QStringLiteral("가스(취사용)"), kUtility),
         choice(QStringLiteral("배수"), kUtility),
         choice(QStringLiteral("환기"), kUtility),
         choice(QStringLiteral("냉방"), kUtility),
         choice(QStringLiteral("보안시설"),
                {QStringLiteral("없음"), QStringLiteral("불량"), QStringLiteral("양호")}),
         choice(QStringLiteral("벽체·지붕"), {QStringLiteral("수선요함"), QStringLiteral("정상")}),
         choice(QStringLiteral("난방연료"),
                {QStringLiteral("기타"), QStringLiteral("연탄"), QStringLiteral("프로판"),
                 QStringLiteral("기름"), QStringLiteral("도시가스")},
                box(6, 4, QStringLiteral("연료 종류"), QStringLiteral("(종류:"), QStringLiteral(")"))),
         choice(QStringLiteral("난방공급"), {QStringLiteral("개별공급"), QStringLiteral("중앙공급식")}),
         choice(QStringLiteral("보일러"), {QStringLiteral("교체"), QStringLiteral("정상")},
                box(6, 1, QStringLiteral("교체할부분"), QStringLiteral("(교체할부분"), QStringLiteral(")"))),
         choice(QStringLiteral("수압"), {QStringLiteral("부족"), QStringLiteral("정상")},
                box(6, 0, QStringLiteral("부족한부분"), QStringLiteral("(부족한부분"), QStringLiteral(")"))),
         choice(QStringLiteral("승강기"), {QStringLiteral("있음"), QStringLiteral("없음")},
                box(6, 6, QStringLiteral("승강기 수"), QStringLiteral("( "), QStringLiteral(" )대"))),
         choice(QStringLiteral("비상구"), {QStringLiteral("없음"), QStringLiteral("있음")},
                box(6, 2, QStringLiteral("위치"), QStringLiteral("(위치:"), QStringLiteral(")"))),
         choice(QStringLiteral("주차장"), {QStringLiteral("기타"), QStringLiteral("전용주차시설"),
                                           QStringLiteral("공용주차시설"), QStringLiteral("없음")}),
         choice(QStringLiteral("관리주체"),
                {QStringLiteral("기타"), QStringLiteral("자치관리"), QStringLiteral("위탁관리")}),
         choice(QStringLiteral("경비실"), {QStringLiteral("없음"), QStringLiteral("있음")}),
         choice(QStringLiteral("대중교통 접근성"), kAccess),
         choice(QStringLiteral("도로 접근성"), kAccess)},
        false};
}

// The roads, transport, schools and services around the property.
ConfirmationSection locationSection() {
    return ConfirmationSection{
        QStringLiteral("6. 입지조건"),
        {box(7, 0, QStringLiteral("접근도로"), QStringLiteral("( "), QStringLiteral(" )m 접근도로")),
         box(7, 1, QStringLiteral("이면도로"), QStringLiteral("( "), QStringLiteral(") m 이면도로")),
         box(7, 2, QStringLiteral("도로 기타")),
         box(8, 0, QStringLiteral("버스"), QStringLiteral("( "), QStringLiteral(" )정류장 소요시간 : ")),
         box(8, 1, QStringLiteral("소요시간"), {}, QStringLiteral(" 분")),
         box(8, 2, QStringLiteral("지하철"), QStringLiteral("( "), QStringLiteral(" )역 소요시간 : ")),
         box(8, 3, QStringLiteral("소요시간"), {}, QStringLiteral(" 분")),
         box(8, 4, QStringLiteral("학교"), QStringLiteral("( "), QStringLiteral(" )학교 소요시간 : ")),
         box(8, 5, QStringLiteral("소요시간"), {}, QStringLiteral(" 분")),
         box(8, 6, QStringLiteral("관공서"), QStringLiteral("( "), QStringLiteral(" )구청, ( ")),
         box(8, 7, QStringLiteral("동사무소"), {}, QStringLiteral(" )동사무소,기타 : ")),
         box(8, 8, QStringLiteral("기타 관공서")),
         box(8, 9, QStringLiteral("판매시설"), QStringLiteral("백화점 및 할인매장( "),
             QStringLiteral(" ), 소요시간 : ")),
         box(8, 10, QStringLiteral("소요시간"), {}, QStringLiteral(" 분")),
         box(8, 11, QStringLiteral("의료시설"), QStringLiteral("종합의료시설( "),
             QStringLiteral(" ), 소요시간 : ")),
         box(8, 12, QStringLiteral("소요시간"), {}, QStringLiteral(" 분")),
         box(8, 17, QStringLiteral("관리비(월)")),
         box(8, 18, QStringLiteral("관리비 포함항목")),
         box(8, 19, QStringLiteral("주차 가능대수")),
         box(8, 20, QStringLiteral("학군")),
         box(8, 21, QStringLiteral("편의시설")),
         box(8, 22, QStringLiteral("비고"))},
        false};
}

QList<ConfirmationSection> makeSections() {
    QList<ConfirmationSection> s;
    s << ConfirmationSection{QStringLiteral("1. 대상물건의 표시"),
                             {box(1, 0, QStringLiteral("토지면적"), {}, QStringLiteral(" ㎡")),
                              box(1, 1, QStringLiteral("지목")),
                              box(1, 2, QStringLiteral("건물 전용면적"), {}, QStringLiteral(" ㎡")),
                              box(1, 3, QStringLiteral("대지지분"), {}, QStringLiteral(" ㎡")),
                              box(1, 4, QStringLiteral("준공년도")), box(1, 5, QStringLiteral("구조")),
                              box(1, 6, QStringLiteral("용도")), box(1, 7, QStringLiteral("방향"))},
                             false};
    s << ConfirmationSection{QStringLiteral("2. 권리 관계에 관한 사항"),
                             {box(2, 0, QStringLiteral("토지 소유권 (등기부)")),
                              box(2, 1, QStringLiteral("토지 소유권 외의 권리")),
                              box(2, 2, QStringLiteral("건물 소유권 (등기부)")),
                              box(2, 3, QStringLiteral("건물 소유권 외의 권리")),
                              box(2, 4, QStringLiteral("토지 (실제 권리관계)")),
                              box(2, 5, QStringLiteral("건물 (실제 권리관계)"))},
                             false};
    s << ConfirmationSection{QStringLiteral("3. 기타 공시되지 아니한 중요시설ㆍ물건의 소유에 관한사항"),
                             {single(3, QStringLiteral("내용"))},
                             false};
    s << ConfirmationSection{
        QStringLiteral("4. 토지이용계획, 공법상 이용제한 및 거래규제"),
        {box(4, 0, QStringLiteral("용도지역")), box(4, 1, QStringLiteral("용도지구")),
         box(4, 2, QStringLiteral("용도구역")), box(4, 3, QStringLiteral("도시·군계획시설")),
         box(4, 4, QStringLiteral("허가·신고 구역")), box(4, 5, QStringLiteral("투기지역")),
         box(4, 6, QStringLiteral("그 밖의 이용제한"))},
        false};
    s << facilitiesSection();
    s << locationSection();
    s << ConfirmationSection{
        QStringLiteral("7. 거래예정금액 및 중개보수"),
        {box(8, 13, QStringLiteral("거래예정금액")), box(8, 14, QStringLiteral("개별공시지가(㎡당)")),
         box(8, 15, QStringLiteral("건물공시가격")), single(9, QStringLiteral("중개보수")),
         single(10, QStringLiteral("실비")), box(8, 16, QStringLiteral("지급시기"))},
        false};
    s << ConfirmationSection{
        QStringLiteral("8. 거래당사자"),
        {box(11, 5, QStringLiteral("양도의뢰인 주소")), number(11, 6, QStringLiteral("주민등록번호")),
         box(11, 7, QStringLiteral("전화")), box(11, 8, QStringLiteral("성명")),
         box(11, 9, QStringLiteral("취득의뢰인 주소")), number(11, 10, QStringLiteral("주민등록번호")),
         box(11, 11, QStringLiteral("전화")), box(11, 12, QStringLiteral("성명"))},
        true};
    s << ConfirmationSection{
        QStringLiteral("9. 개업공인중개사"),
        {box(11, 1, QStringLiteral("사무소 명칭")), box(11, 3, QStringLiteral("등록번호")),
         box(11, 0, QStringLiteral("사무소 소재지")), box(11, 2, QStringLiteral("대표자")),
         box(11, 4, QStringLiteral("전화")), box(11, 14, QStringLiteral("공동중개 사무소")),
         box(11, 16, QStringLiteral("등록번호")), box(11, 13, QStringLiteral("소재지")),
         box(11, 15, QStringLiteral("대표자")), box(11, 17, QStringLiteral("전화"))},
        true};
    return s;
}

// Where a box lives in the table: its own column, or its place in a joined group.
struct Place {
    QString column;
    int position = -1; // -1: the column is the box's own
};

Place placeOf(const ConfirmationBox& b) {
    if (b.index < 0)
        return {QStringLiteral("Text%1").arg(b.array)};
    if (b.array == 5)
        return {QStringLiteral("Text5"), b.index};
    if (b.array == 6 && b.index >= 5)
        return {QStringLiteral("text6_5"), b.index - 5};
    if (b.array == 7 && b.index >= 2)
        return {QStringLiteral("text7_2"), b.index - 2};
    if (b.array == 8 && b.index >= 20)
        return {QStringLiteral("text8_20"), b.index - 20};
    return {QStringLiteral("text%1_%2").arg(b.array).arg(b.index)};
}

template <typename F> void forEachBox(F f) {
    for (const ConfirmationSection& section : confirmationSections())
        for (const ConfirmationItem& item : section.items) {
            if (const auto* b = std::get_if<ConfirmationBox>(&item))
                f(*b, section);
            else if (const auto& detail = std::get<ConfirmationChoice>(item).detail)
                f(*detail, section);
        }
}

QString flags(const QList<bool>& states) {
    QStringList out;
    for (bool on : states)
        out << (on ? QStringLiteral("True") : QStringLiteral("False"));
    return out.join(QLatin1Char(','));
}

// Earlier files hold "True"/"False"; "1" and "-1" count as set too.
QList<bool> flagsOf(const QString& stored, int count) {
    const QStringList parts = stored.split(QLatin1Char(','));
    QList<bool> out;
    for (int i = 0; i < count; ++i) {
        const QString p = parts.value(i).trimmed();
        out << (p.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || p == QLatin1String("1") ||
                p == QLatin1String("-1"));
    }
    return out;
}

// Column -> value of a form; `officeOnly` false leaves out the office-only sections. Dates as
// `store` keeps them; without a store as dates, for any store to take.
QMap<QString, QVariant> columnsOf(const ConfirmationForm& form, bool withOfficeOnly, const SqlStore* store) {
    QMap<QString, QVariant> c;
    c[QStringLiteral("tb")] = form.tb;
    for (int i = 0; i < 4; ++i)
        c[QStringLiteral("addr%1").arg(i + 1)] = form.location.value(i);
    QMap<QString, QStringList> groups;
    forEachBox([&](const ConfirmationBox& b, const ConfirmationSection& section) {
        if (section.officeOnly && !withOfficeOnly)
            return;
        const Place p = placeOf(b);
        if (p.position < 0) {
            c[p.column] = form.box(b.key());
            return;
        }
        QStringList& g = groups[p.column];
        while (g.size() <= p.position)
            g << QString();
        g[p.position] = form.box(b.key());
    });
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        QString joined;
        for (const QString& text : it.value())
            joined += text + groupSeparator();
        c[it.key()] = joined;
    }
    c[QStringLiteral("radio")] = flags(form.options);
    c[QStringLiteral("chkbox")] = flags(form.checks);
    const auto date = [&](const QDate& day) {
        const QVariant value = QDateTime(day, QTime(0, 0));
        return store ? store->toStored(value) : value;
    };
    c[QStringLiteral("wday")] = date(form.wday);
    c[QStringLiteral("wday2")] = date(form.wday2);
    return c;
}

ConfirmationForm formOf(const QSqlQuery& q) {
    ConfirmationForm f;
    f.tb = q.value(QStringLiteral("tb")).toString();
    for (int i = 0; i < 4; ++i)
        f.location[i] = q.value(QStringLiteral("addr%1").arg(i + 1)).toString();
    forEachBox([&](const ConfirmationBox& b, const ConfirmationSection&) {
        const Place p = placeOf(b);
        const QString stored = q.value(p.column).toString();
        f.boxes[b.key()] = p.position < 0 ? stored : stored.split(groupSeparator()).value(p.position);
    });
    f.options = flagsOf(q.value(QStringLiteral("radio")).toString(), confirmationOptionCount());
    f.checks = flagsOf(q.value(QStringLiteral("chkbox")).toString(), 2);
    f.wday = SqlStore::toDateTime(q.value(QStringLiteral("wday"))).date();
    f.wday2 = SqlStore::toDateTime(q.value(QStringLiteral("wday2"))).date();
    return f;
}

// The office's row of a form, updated where it is and inserted with the store's number where not;
// returns the number. Whether it is there is asked, not taken from the update's count: MariaDB
// counts only the rows whose values changed, and a form saved unchanged would come twice.
int writeFormRow(SqlStore& store, const QMap<QString, QVariant>& columns, int number) {
    const bool there =
        number > 0 &&
        store.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE table_idx=?").arg(kFormTable), {number}, 0)
                .toInt() > 0;
    if (there) {
        updateRows(store, kFormTable, RowValues(columns), QStringLiteral("table_idx=?"), {number});
        return number;
    }
    return insertRow(store, kFormTable, RowValues(columns)).toInt();
}

QString labelOf(const ConfirmationForm& form) {
    return QStringLiteral("확인설명서 %1 %2").arg(form.number).arg(form.address());
}

QString optionMarks(const ConfirmationChoice& c, const QList<bool>& options, int first) {
    QStringList out;
    for (int i = 0; i < c.options.size(); ++i)
        out << (options.value(first + i) ? QStringLiteral("■ ") : QStringLiteral("□ ")) + c.options[i];
    return out.join(QStringLiteral("  "));
}

QString printed(const ConfirmationBox& b, const ConfirmationForm& form) {
    const QString value = form.box(b.key());
    if (value.isEmpty())
        return {};
    return b.prefix +
           (b.residentNumber
                ? maskedResidentNumber(QString(value).remove(QRegularExpression(QStringLiteral("[\\s-]"))))
                : value) +
           b.suffix;
}

} // namespace

QString ConfirmationBox::key() const {
    return index < 0 ? QStringLiteral("Text%1").arg(array)
                     : QStringLiteral("Text%1_%2").arg(array).arg(index);
}

const QList<ConfirmationSection>& confirmationSections() {
    static const QList<ConfirmationSection> sections = makeSections();
    return sections;
}

int confirmationOptionCount() {
    static const int count = [] {
        int n = 0;
        for (const ConfirmationSection& section : confirmationSections())
            for (const ConfirmationItem& item : section.items)
                if (const auto* c = std::get_if<ConfirmationChoice>(&item))
                    n += int(c->options.size());
        return n;
    }();
    return count;
}

QStringList confirmationCheckCaptions() {
    return {QStringLiteral("등기부등본 열람 확인"), QStringLiteral("소유권 외의 권리 없음")};
}

QStringList rightsBoxesOfCheck2() {
    return {QStringLiteral("Text2_1"), QStringLiteral("Text2_3")};
}

QString noOtherRights() {
    return QStringLiteral("없음");
}

QString groupSeparator() {
    return QString::fromUtf8("\u24D2\u24D9\u24D1");
}

QString ConfirmationForm::address() const {
    return joinedAddress(location);
}

ConfirmationFormStore::ConfirmationFormStore(SqlStore& local, SqlStore* server, QString officeId)
    : m_local(local)
    , m_server(server)
    , m_officeId(std::move(officeId)) {}

ConfirmationFormStore::ConfirmationFormStore(Session& s)
    : ConfirmationFormStore(s.listingStore(), s.serverOpen() ? &s.serverStore() : nullptr,
                            s.state().OfficeMainId) {
    m_session = &s;
}

std::optional<ConfirmationForm> ConfirmationFormStore::load(int number) {
    QSqlQuery q = m_local.query(QStringLiteral("SELECT * FROM mem_moo_mul WHERE table_idx=?"), {number});
    if (!q.next())
        return std::nullopt;
    ConfirmationForm f = formOf(q);
    f.number = number;
    return f;
}

std::optional<ConfirmationForm> ConfirmationFormStore::loadShared(int serverIdx) {
    if (!m_server || !m_server->isOpen())
        return std::nullopt;
    QSqlQuery q = m_server->query(QStringLiteral("SELECT * FROM mem_moo_mul WHERE table_idx=?"), {serverIdx});
    if (!q.next())
        return std::nullopt;
    return formOf(q);
}

Session& ConfirmationFormStore::session() const {
    if (!m_session)
        throw StoreError(QStringLiteral("A form is changed through the office's session"), kFormTable);
    return *m_session;
}

// The form and its server copy's change in one local transaction; the outbox then sends the
// copy (at once when the server answers, later by itself when it does not).
ConfirmationFormStore::Saved ConfirmationFormStore::save(ConfirmationForm& form) {
    Session& s = session();
    qint64 entry = 0;
    m_local.transact([&] {
        form.number = writeFormRow(m_local, columnsOf(form, true, &m_local), form.number);
        entry = PublicationOutbox(m_local).add(serverRowEntry(kFormTable, form.number,
                                                              columnsOf(form, false, nullptr), labelOf(form),
                                                              s.state().LoginId, s.clock().now()));
    });
    Saved saved;
    saved.local = true;
    saved.server = deliver(entry);
    if (!saved.server)
        saved.serverError = waitingReason(entry);
    return saved;
}

int ConfirmationFormStore::remove(const QList<int>& numbers) {
    if (numbers.isEmpty())
        return 0;
    Session& s = session();
    QVariantList values;
    for (int n : numbers)
        values << n;
    qint64 last = 0;
    const int removed = m_local.transact([&] {
        const int count = m_local.execute(QStringLiteral("DELETE FROM %1 WHERE table_idx IN (%2)")
                                              .arg(kFormTable, SqlStore::placeholders(values.size())),
                                          values);
        for (int n : numbers)
            last = PublicationOutbox(m_local).add(serverRowEntry(kFormTable, n, {},
                                                                 QStringLiteral("확인설명서 %1").arg(n),
                                                                 s.state().LoginId, s.clock().now()));
        return count;
    });
    deliver(last);
    return removed;
}

bool ConfirmationFormStore::deliver(qint64 entry) {
    const Delivery outcome =
        OutboxSender(session(), {}, QStringLiteral("중개대상물확인 설명서 => ")).deliver(entry);
    return outcome != Delivery::Waiting;
}

QString ConfirmationFormStore::waitingReason(qint64 entry) {
    const std::optional<OutboxEntry> waiting = PublicationOutbox(m_local).entry(entry);
    return waiting && !waiting->lastError.isEmpty() ? waiting->lastError
                                                    : QStringLiteral("서버에 연결되어 있지 않습니다.");
}

QList<ConfirmationFormStore::Listed> ConfirmationFormStore::atLocation(const QStringList& location,
                                                                       bool shared) {
    SqlStore* store = shared ? m_server : &m_local;
    if (!store || !store->isOpen())
        return {};
    QString sql = QStringLiteral("SELECT addr4, table_idx, tb FROM mem_moo_mul WHERE addr2=? AND addr3=?");
    QVariantList values{location.value(1), location.value(2)};
    if (location.value(0) != QStringLiteral("전체")) {
        sql += QStringLiteral(" AND addr1=?");
        values << location.value(0);
    }
    if (shared) {
        sql += QStringLiteral(" AND `ID`<>?");
        values << m_officeId;
    }
    QSqlQuery q = store->query(sql + QStringLiteral(" ORDER BY addr4"), values);
    QList<Listed> out;
    while (q.next())
        out.append({q.value(1).toInt(), q.value(2).toString(), q.value(0).toString()});
    return out;
}

report::Document confirmationDocument(const ConfirmationForm& form, const OfficeDetails& officeDetails) {
    using namespace report;
    Document d;
    d.title = QStringLiteral("중개대상물 확인 설명서");
    d.points = 8;
    d.add(Heading{QStringLiteral("중개대상물 확인 설명서")});
    d.add(Fields{{Field{QStringLiteral("소재지"), form.address(), 3}}, 2});
    int option = 0;
    for (const ConfirmationSection& section : confirmationSections()) {
        d.add(Heading{section.title, 2, Align::Left});
        Fields fields{.fields = {}, .pairsPerLine = 2};
        for (const ConfirmationItem& item : section.items) {
            if (const auto* b = std::get_if<ConfirmationBox>(&item)) {
                fields.fields << Field{b->caption, printed(*b, form)};
                continue;
            }
            const auto& c = std::get<ConfirmationChoice>(item);
            QString value = optionMarks(c, form.options, option);
            if (c.detail)
                value += QLatin1Char(' ') + printed(*c.detail, form);
            fields.fields << Field{c.caption, value};
            option += int(c.options.size());
        }
        d.add(fields);
    }
    const QStringList checks = confirmationCheckCaptions();
    d.add(Paragraph{(form.checks.value(0) ? QStringLiteral("■ ") : QStringLiteral("□ ")) + checks[0] +
                    QStringLiteral("    ") +
                    (form.checks.value(1) ? QStringLiteral("■ ") : QStringLiteral("□ ")) + checks[1]});
    d.add(Paragraph{QStringLiteral(
        "개업공인중개사는 중개대상물에 관한 확인·설명을 위와 같이 하였으며, 거래당사자는 그 설명을 "
        "듣고 이 확인·설명서를 교부받았음을 확인합니다.")});
    d.add(Paragraph{form.wday.toString(QStringLiteral("yyyy 년 M 월 d 일")), Align::Center, true});
    if (form.wday2.isValid() && form.wday2 != form.wday)
        d.add(Paragraph{QStringLiteral("확인일 ") + form.wday2.toString(QStringLiteral("yyyy 년 M 월 d 일")),
                        Align::Center});
    d.footer = ownSheetCopyright(officeDetails);
    return d;
}

} // namespace teran
