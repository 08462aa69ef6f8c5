#include "StoreTables.h"

namespace teran {

namespace {

// Widths of the bounded texts. Only keys that are compared or indexed are bounded; everything a
// user types stays unbounded, so that no value is ever cut or refused for its length.
constexpr int kIdSize = 50;      // member ids: login ids of offices and staff
constexpr int kCodeSize = 20;    // property type, owner kind and similar codes
constexpr int kShortSize = 10;   // transaction letters, flags, dates kept as text
constexpr int kRegionSize = 50;  // province, district and town of an indexed address
constexpr int kSettingSize = 40; // settings keys

ColumnDef key(const QString& name) {
    return ColumnDef{.name = name, .type = ColumnType::Integer, .size = 0, .autoKey = true, .caption = {}};
}

ColumnDef text(const QString& name, int size = 0, const QString& caption = {}) {
    return ColumnDef{
        .name = name, .type = ColumnType::Text, .size = size, .autoKey = false, .caption = caption};
}

ColumnDef of(ColumnType type, const QString& name, const QString& caption) {
    return ColumnDef{.name = name, .type = type, .size = 0, .autoKey = false, .caption = caption};
}

ColumnDef number(const QString& name, const QString& caption = {}) {
    return of(ColumnType::Integer, name, caption);
}

ColumnDef money(const QString& name, const QString& caption = {}) {
    return of(ColumnType::BigInt, name, caption);
}

ColumnDef decimal(const QString& name, const QString& caption = {}) {
    return of(ColumnType::Decimal, name, caption);
}

ColumnDef date(const QString& name, const QString& caption = {}) {
    return of(ColumnType::DateTime, name, caption);
}

// Unbounded texts named prefix + first .. prefix + last ("text8_0" .. "text8_19").
QList<ColumnDef> textSeries(const QString& prefix, int first, int last) {
    QList<ColumnDef> columns;
    for (int i = first; i <= last; ++i)
        columns << text(prefix + QString::number(i));
    return columns;
}

// Index names are global within an SQLite file, so each one carries its table's name.
IndexDef index(const QString& table, const QStringList& columns, bool unique = false) {
    return IndexDef{.name = QStringLiteral("ix_%1_%2").arg(table, columns.join(QLatin1Char('_'))),
                    .columns = columns,
                    .unique = unique};
}

// --- Tables of both stores -------------------------------------------------------------------

// Accounts: on the server the office's own row (memType "A") and its staff (memType "B"); the
// ListingStore keeps a mirror with the same columns so that logins work without the network.
TableDef members() {
    const QString t = QStringLiteral("members");
    return {t,
            {
                key(QStringLiteral("mem_idx")),
                text(QStringLiteral("companyID"), kIdSize),
                text(QStringLiteral("memID"), kIdSize),
                text(QStringLiteral("memType"), kShortSize),
                text(QStringLiteral("memPWD")),
                text(QStringLiteral("name"), 0, QStringLiteral("이름")),
                text(QStringLiteral("shopname")),
                text(QStringLiteral("showname"), 0, QStringLiteral("인터넷이름")),
                text(QStringLiteral("jumin1")),
                text(QStringLiteral("jumin2")),
                text(QStringLiteral("email"), 0, QStringLiteral("이메일")),
                text(QStringLiteral("addr1")),
                text(QStringLiteral("addr2")),
                text(QStringLiteral("addr3")),
                text(QStringLiteral("addr4")),
                text(QStringLiteral("addrKey")),
                text(QStringLiteral("homtel"), 0, QStringLiteral("집전화")),
                text(QStringLiteral("hantel"), 0, QStringLiteral("핸드폰")),
                text(QStringLiteral("fax"), 0, QStringLiteral("팩스")),
                text(QStringLiteral("shopnum")),
                text(QStringLiteral("homepage")),
                text(QStringLiteral("admin_msg")), // comma-separated numbers of unread notices
                number(QStringLiteral("nowdata")), // listings held in the office's own store
                date(QStringLiteral("lastDay")),
                text(QStringLiteral("bigo")),
                date(QStringLiteral("startday"), QStringLiteral("입사일")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("memID")}, true),
             index(t, {QStringLiteral("companyID"), QStringLiteral("memType")})}};
}

// Postal addresses, copied row by row from the server to the office.
TableDef post() {
    const QString t = QStringLiteral("post");
    return {t,
            {
                text(QStringLiteral("postno"), kShortSize),
                text(QStringLiteral("addr1"), kRegionSize),
                text(QStringLiteral("addr2"), kRegionSize),
                text(QStringLiteral("addr3"), kRegionSize),
                text(QStringLiteral("addr4")),
            },
            {index(t, {QStringLiteral("addr1"), QStringLiteral("addr2"), QStringLiteral("addr3")})}};
}

TableDef subway() {
    const QString t = QStringLiteral("subway");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("sline"), kRegionSize),
                text(QStringLiteral("station"), kRegionSize),
            },
            {index(t, {QStringLiteral("sline"), QStringLiteral("station")})}};
}

// Property confirmation forms: the office's own, and on the server a copy of each keyed by the
// office and its local number, which other offices may look up by address.
TableDef confirmationForms(bool serverCopy) {
    const QString t = QStringLiteral("mem_moo_mul");
    QList<ColumnDef> columns{
        key(QStringLiteral("table_idx")),           text(QStringLiteral("tb"), kCodeSize),
        text(QStringLiteral("addr1"), kRegionSize), text(QStringLiteral("addr2"), kRegionSize),
        text(QStringLiteral("addr3"), kRegionSize), text(QStringLiteral("addr4"))};
    columns << textSeries(QStringLiteral("text1_"), 0, 7) << textSeries(QStringLiteral("text2_"), 0, 5)
            << text(QStringLiteral("Text3")) << textSeries(QStringLiteral("text4_"), 0, 6)
            << text(QStringLiteral("Text5")) << textSeries(QStringLiteral("text6_"), 0, 5)
            << textSeries(QStringLiteral("text7_"), 0, 2) << textSeries(QStringLiteral("text8_"), 0, 20)
            << text(QStringLiteral("Text9")) << text(QStringLiteral("Text10"))
            << textSeries(QStringLiteral("text11_"), 0, 17) << text(QStringLiteral("radio"))
            << text(QStringLiteral("chkbox")) << date(QStringLiteral("wday"))
            << date(QStringLiteral("wday2"));
    QList<IndexDef> indexes{
        index(t, {QStringLiteral("addr1"), QStringLiteral("addr2"), QStringLiteral("addr3")})};
    if (serverCopy) {
        columns << text(QStringLiteral("ID"), kIdSize) << number(QStringLiteral("tidx"));
        indexes << index(t, {QStringLiteral("ID"), QStringLiteral("tidx")});
    }
    return {t, columns, indexes};
}

// --- ListingStore ----------------------------------------------------------------------------

// Settings: one row per key, or per key and user (the user's id sits in one of set1..set4).
TableDef settings() {
    const QString t = QStringLiteral("mem_seting");
    return {t,
            {
                // rows are found by key; the number only identifies a row
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("seting"), kSettingSize),
                text(QStringLiteral("set1")),
                text(QStringLiteral("set2")),
                text(QStringLiteral("set3")),
                text(QStringLiteral("set4")),
                text(QStringLiteral("set5")),
            },
            {index(t, {QStringLiteral("seting")})}};
}

// Image box of a listing: flag list, name list and the flags before the last local save.
TableDef localFileBox() {
    const QString t = QStringLiteral("filebox");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("tb"), kCodeSize),
                text(QStringLiteral("ty"), kShortSize),
                number(QStringLiteral("tidx")),
                text(QStringLiteral("Img1")),
                text(QStringLiteral("Img2")),
                text(QStringLiteral("img3")),
            },
            {index(t, {QStringLiteral("tidx")})}};
}

// Changes of shared listings that wait for the vendor's server, in the order they were made:
// the listing, what was done (`kind`), the state it had before (for a cancel), the picture names
// to take off the server and the local files to delete once the change went out, the row a
// deletion took away (for a cancel), the attempts and the last error; for another office row
// with a server copy (a confirmation form), the server's table and the copy's values.
TableDef outbox() {
    const QString t = QStringLiteral("outbox");
    return {t,
            {
                key(QStringLiteral("idx")),
                number(QStringLiteral("tidx")),
                text(QStringLiteral("kind"), kShortSize),
                number(QStringLiteral("pictures")),
                number(QStringLiteral("resethits")),
                number(QStringLiteral("prevstate")),
                text(QStringLiteral("disclosure")),
                text(QStringLiteral("names")),
                text(QStringLiteral("files")),
                text(QStringLiteral("rowcopy")),
                text(QStringLiteral("label")),
                text(QStringLiteral("memid"), kIdSize),
                date(QStringLiteral("made")),
                number(QStringLiteral("tries")),
                text(QStringLiteral("lasterror")),
                text(QStringLiteral("target"), kIdSize),
                text(QStringLiteral("serverrow")),
            },
            {index(t, {QStringLiteral("tidx")})}};
}

// Sale and lease contracts; the money and date columns change meaning with the kind `ty`.
TableDef contracts() {
    const QString t = QStringLiteral("mem_moo_con");
    QList<ColumnDef> columns{key(QStringLiteral("table_idx")), text(QStringLiteral("tb"), kCodeSize),
                             text(QStringLiteral("ty"), kShortSize), number(QStringLiteral("tidx"))};
    for (int i = 1; i <= 6; ++i)
        columns << money(QStringLiteral("money%1").arg(i));
    columns << number(QStringLiteral("kumeak")) << textSeries(QStringLiteral("Adr"), 1, 4)
            << text(QStringLiteral("jimok"));
    // pyung5 and pyung6: the area of the part let, in ㎡ and 평
    for (int i = 1; i <= 6; ++i)
        columns << decimal(QStringLiteral("pyung%1").arg(i));
    columns << text(QStringLiteral("gujo")) << text(QStringLiteral("ydo")) << text(QStringLiteral("bubun"));
    for (int i = 1; i <= 5; ++i)
        columns << text(QStringLiteral("ymd%1").arg(i), kShortSize); // "yyyy-m-d" as the date boxes show it
    columns << text(QStringLiteral("ymdw"), kShortSize) << text(QStringLiteral("special"))
            << textSeries(QStringLiteral("addr"), 1, 6) << textSeries(QStringLiteral("jumin"), 1, 4)
            << textSeries(QStringLiteral("tel"), 1, 4) << textSeries(QStringLiteral("name"), 1, 6)
            << text(QStringLiteral("shop3")) << text(QStringLiteral("shop4"))
            << text(QStringLiteral("number3")) << text(QStringLiteral("number4"))
            << text(QStringLiteral("danM")) << text(QStringLiteral("danP")) << text(QStringLiteral("saram"))
            << text(QStringLiteral("bank")) << decimal(QStringLiteral("pro"))
            << date(QStringLiteral("writeday"), QStringLiteral("작성일"))
            // A lease's end and reporting deadline as dates, beside the texts the form shows, so
            // that the register's lease tabs are chosen and ordered by the database.
            << date(QStringLiteral("ymd4_date")) << date(QStringLiteral("report_date"));
    return {t,
            columns,
            {index(t, {QStringLiteral("tidx")}), index(t, {QStringLiteral("ty")}),
             index(t, {QStringLiteral("ty"), QStringLiteral("writeday")}),
             index(t, {QStringLiteral("ymd4_date")}), index(t, {QStringLiteral("report_date")})}};
}

TableDef receipts() {
    const QString t = QStringLiteral("mem_moo_rec");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("tb"), kCodeSize),
                text(QStringLiteral("ty"), kShortSize),
                number(QStringLiteral("tidx")),
                number(QStringLiteral("Option")), // 0 property receipt, 1 general receipt
                text(QStringLiteral("Name"), 0, QStringLiteral("매수인")),
                text(QStringLiteral("Money")), // the amount in words, as shown
                money(QStringLiteral("money2"), QStringLiteral("금액")),
                text(QStringLiteral("Shop")),
                text(QStringLiteral("Type"), 0, QStringLiteral("영수증내용")),
                text(QStringLiteral("addr")),
                text(QStringLiteral("name2")),
                date(QStringLiteral("today"), QStringLiteral("발행일")),
            },
            {index(t, {QStringLiteral("tidx")})}};
}

// Tenants of a listing: a header row (sortnum 0) and one row per let unit. `addr` holds the
// listing's number as text.
TableDef tenants() {
    const QString t = QStringLiteral("maemul_imchain");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                number(QStringLiteral("sortnum"), QStringLiteral("번호")),
                text(QStringLiteral("addr"), kCodeSize),
                text(QStringLiteral("title")),
                text(QStringLiteral("bigo"), 0, QStringLiteral("비고")),
                text(QStringLiteral("floor"), 0, QStringLiteral("층수")),
                text(QStringLiteral("upjong"), 0, QStringLiteral("업종")),
                money(QStringLiteral("money_b"), QStringLiteral("보증금")),
                money(QStringLiteral("money_w"), QStringLiteral("월세")),
                money(QStringLiteral("money_g"), QStringLiteral("관리비")),
                text(QStringLiteral("endday"), 0, QStringLiteral("만기일")),
                decimal(QStringLiteral("pyung"), QStringLiteral("평수")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("addr"), QStringLiteral("sortnum")})}};
}

// Loans of a listing, laid out like the tenants without a header row; `money_w` is a rate.
TableDef loans() {
    const QString t = QStringLiteral("maemul_money");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                number(QStringLiteral("sortnum"), QStringLiteral("번호")),
                text(QStringLiteral("addr"), kCodeSize),
                text(QStringLiteral("floor"), 0, QStringLiteral("층수")),
                text(QStringLiteral("upjong"), 0, QStringLiteral("금융권")),
                money(QStringLiteral("money_y"), QStringLiteral("융자금")),
                decimal(QStringLiteral("money_w"), QStringLiteral("연이율%")),
                money(QStringLiteral("money_g"), QStringLiteral("기타비용")),
                text(QStringLiteral("endday"), 0, QStringLiteral("만기일")),
                decimal(QStringLiteral("pyung"), QStringLiteral("평수")),
                text(QStringLiteral("bigo"), 0, QStringLiteral("비고")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("addr"), QStringLiteral("sortnum")})}};
}

// Buyers with the property they want: type, transaction, region, area and price ranges.
TableDef buyers() {
    const QString t = QStringLiteral("maesuin");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("groupin"), 0, QStringLiteral("그룹")),
                text(QStringLiteral("jubsu"), 0, QStringLiteral("접수방법")),
                text(QStringLiteral("name"), 0, QStringLiteral("의뢰자")),
                text(QStringLiteral("email"), 0, QStringLiteral("이메일")),
                text(QStringLiteral("homtel"), 0, QStringLiteral("집전화")),
                text(QStringLiteral("hantel"), 0, QStringLiteral("핸드폰")),
                text(QStringLiteral("office"), 0, QStringLiteral("사무실")),
                text(QStringLiteral("fax"), 0, QStringLiteral("팩스")),
                text(QStringLiteral("addr1")),
                text(QStringLiteral("addr2")),
                text(QStringLiteral("addr3")),
                text(QStringLiteral("addr4")),
                text(QStringLiteral("addre1")),
                text(QStringLiteral("addre2")),
                text(QStringLiteral("addre3")),
                text(QStringLiteral("tb"), 0, QStringLiteral("종목")), // the Korean type name
                text(QStringLiteral("ty"), kCodeSize, QStringLiteral("형태")),
                decimal(QStringLiteral("p1")),
                decimal(QStringLiteral("p2")),
                decimal(QStringLiteral("p3")),
                decimal(QStringLiteral("p4")),
                money(QStringLiteral("m1")),
                money(QStringLiteral("m2")),
                money(QStringLiteral("m3")),
                money(QStringLiteral("m4")),
                text(QStringLiteral("bigo"), 0, QStringLiteral("비고")),
                text(QStringLiteral("txt1"), kIdSize), // who registered the buyer
                text(QStringLiteral("txt2"), kIdSize), // the one user the buyer is private to
                date(QStringLiteral("writeday"), QStringLiteral("등록일")),
            },
            {index(t, {QStringLiteral("writeday")})}};
}

// Business cards and customers, told apart by `part`.
TableDef cards() {
    const QString t = QStringLiteral("namecard");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("part"), kCodeSize),
                text(QStringLiteral("groupin"), 0, QStringLiteral("그룹")),
                text(QStringLiteral("company"), 0, QStringLiteral("회사명")),
                text(QStringLiteral("name"), 0, QStringLiteral("이름")),
                text(QStringLiteral("email"), 0, QStringLiteral("이메일")),
                text(QStringLiteral("homtel"), 0, QStringLiteral("집전화")),
                text(QStringLiteral("hantel"), 0, QStringLiteral("핸드폰")),
                text(QStringLiteral("office"), 0, QStringLiteral("사무실")),
                text(QStringLiteral("fax"), 0, QStringLiteral("팩스")),
                text(QStringLiteral("addr1")),
                text(QStringLiteral("addr2")),
                text(QStringLiteral("addr3")),
                text(QStringLiteral("addr4")),
                date(QStringLiteral("writeday"), QStringLiteral("등록일")),
            },
            {index(t, {QStringLiteral("part"), QStringLiteral("writeday")})}};
}

// Dated notes of a buyer, card, customer, listing, lot address or group.
TableDef workNotes() {
    const QString t = QStringLiteral("mem_work");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize),
                text(QStringLiteral("opid"), kIdSize),
                text(QStringLiteral("tb"), kCodeSize),
                text(QStringLiteral("ty"), kShortSize),
                number(QStringLiteral("tidx")),
                text(QStringLiteral("addr"), 200), // lot address for notes kept per address
                date(QStringLiteral("writeday"), QStringLiteral("일시")),
                text(QStringLiteral("work"), 0, QStringLiteral("진행상황")),
            },
            {index(t, {QStringLiteral("tb"), QStringLiteral("tidx")}), index(t, {QStringLiteral("addr")})}};
}

// What the office did with a buyer and a listing that fit: sent to the buyer (by text message
// or on paper, with the listing's amounts then) or dismissed. The listing is named by its
// office and that office's number, so that shared listings are known across offices; the
// latest row of a pair holds.
TableDef matchHistory() {
    const QString t = QStringLiteral("maesuin_match");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                number(QStringLiteral("buyer")),
                text(QStringLiteral("office"), kIdSize),
                number(QStringLiteral("listing")),
                text(QStringLiteral("state"), kShortSize),
                text(QStringLiteral("via"), kShortSize),
                money(QStringLiteral("amount")),
                money(QStringLiteral("rent")),
                text(QStringLiteral("opid"), kIdSize),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("buyer")}),
             index(t, {QStringLiteral("office"), QStringLiteral("listing")})}};
}

TableDef appointments() {
    const QString t = QStringLiteral("mem_daily");
    return {t,
            {
                key(QStringLiteral("table_idx")), text(QStringLiteral("id"), kIdSize),
                date(QStringLiteral("days"), QStringLiteral("일시")),
                text(QStringLiteral("times"), 0, QStringLiteral("시간")),
                text(QStringLiteral("kind"), 0, QStringLiteral("분류")),
                text(QStringLiteral("txting"), 0, QStringLiteral("상황")),
                text(QStringLiteral("name"), 0, QStringLiteral("이름")), text(QStringLiteral("company")),
                text(QStringLiteral("jangso"), 0, QStringLiteral("장소")),
                text(QStringLiteral("bigo"), 0, QStringLiteral("비고")),
                date(QStringLiteral("alim")), // the day the reminder starts
            },
            {index(t, {QStringLiteral("id"), QStringLiteral("days")})}};
}

TableDef diary() {
    const QString t = QStringLiteral("mem_money");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize),
                text(QStringLiteral("groupin")),
                date(QStringLiteral("daym"), QStringLiteral("일시")),
                text(QStringLiteral("timem"), 0, QStringLiteral("시간")),
                money(QStringLiteral("suip"), QStringLiteral("수입")), // won
                text(QStringLiteral("suiptxt"), 0, QStringLiteral("수입내역")),
                money(QStringLiteral("jichul"), QStringLiteral("지출")), // won
                text(QStringLiteral("jichultxt"), 0, QStringLiteral("지출내역")),
                text(QStringLiteral("bigo"), 0, QStringLiteral("비고")),
            },
            {index(t, {QStringLiteral("id"), QStringLiteral("daym")})}};
}

TableDef listingGroups() {
    const QString t = QStringLiteral("group_mem");
    return {t,
            {
                key(QStringLiteral("g_idx")),
                text(QStringLiteral("g_id"), kIdSize),
                text(QStringLiteral("g_name"), 100),
                text(QStringLiteral("g_title")),
                text(QStringLiteral("g_bigo")),
                date(QStringLiteral("g_day")),
            },
            {index(t, {QStringLiteral("g_id"), QStringLiteral("g_name")})}};
}

// One row per listing in a group; a listing is in a group at most once.
TableDef listingGroupMembers() {
    const QString t = QStringLiteral("group_mul");
    return {t,
            {
                // rows are found by group and listing; the number only identifies a row
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("g_id"), kIdSize),
                text(QStringLiteral("s_id"), kIdSize),
                number(QStringLiteral("g_idx")),
                number(QStringLiteral("t_idx")),
                date(QStringLiteral("g_day")),
            },
            {index(t, {QStringLiteral("g_idx"), QStringLiteral("t_idx")}, true)}};
}

// Sellers offered as SMS recipients; `opid` makes a seller private to one user.
TableDef sellers() {
    const QString t = QStringLiteral("maedoin");
    return {t,
            {
                // sellers are picked by name; the number only identifies a row
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("uname"), 0, QStringLiteral("이름")),
                text(QStringLiteral("uhp"), 0, QStringLiteral("핸드폰번호")),
                text(QStringLiteral("addr1")),
                text(QStringLiteral("addr2")),
                text(QStringLiteral("addr3")),
                text(QStringLiteral("addr4")),
                text(QStringLiteral("opid"), kIdSize),
            },
            {}};
}

// --- ServerStore -----------------------------------------------------------------------------

// Numbered texts of the vendor: notices, the SMS port (3), the picture store's password (8).
TableDef serverTexts() {
    return {QStringLiteral("mem_msg"),
            {
                key(QStringLiteral("table_idx")), text(QStringLiteral("content")),
                number(QStringLiteral("Type")), // message box style of a notice
                text(QStringLiteral("title")), text(QStringLiteral("enable"), kShortSize), // "0" for a notice
            },
            {}};
}

TableDef memberHistory() {
    const QString t = QStringLiteral("mem_history");
    return {t,
            {
                // history lines are read by member; the number only keeps their order
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize),
                text(QStringLiteral("content")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("id")})}};
}

// The office's cash ledger in won; the balance is the sum of `Money`.
TableDef cashLedger() {
    const QString t = QStringLiteral("mem_cash");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("companyID"), kIdSize),
                text(QStringLiteral("ID"), kIdSize),
                text(QStringLiteral("Type")),
                money(QStringLiteral("Money")),
                text(QStringLiteral("content")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("companyID")})}};
}

TableDef clubs() {
    const QString t = QStringLiteral("teranclub");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize), // the chairman
                text(QStringLiteral("clubname"), 0, QStringLiteral("클럽명")),
                text(QStringLiteral("kind"), 0, QStringLiteral("모임형태")),
                text(QStringLiteral("tb")), // comma-separated property type codes the club shares
                text(QStringLiteral("content")),
            },
            {index(t, {QStringLiteral("id")})}};
}

// One membership per office and club; `level` 3 chairman, 2 full member, below 2 associate.
TableDef clubMembers() {
    const QString t = QStringLiteral("teranclub_mem");
    return {t,
            {
                // memberships are found by club and office; the number only identifies a row
                key(QStringLiteral("table_idx")),
                number(QStringLiteral("club_idx")),
                text(QStringLiteral("id"), kIdSize),
                number(QStringLiteral("level"), QStringLiteral("상태")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("club_idx"), QStringLiteral("id")}, true),
             index(t, {QStringLiteral("id")})}};
}

TableDef clubMessages() {
    const QString t = QStringLiteral("teranclub_paper");
    return {t,
            {
                // messages are read by receiver; the number only identifies a row
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize),
                text(QStringLiteral("toid"), kIdSize),
                text(QStringLiteral("title")),
                text(QStringLiteral("content")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("toid")})}};
}

// Published image-box pictures of a shared listing, keyed like the shared listing itself.
TableDef serverFileBox() {
    const QString t = QStringLiteral("filebox");
    return {t,
            {
                // rows are found by office and listing; the number only identifies a row
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("tb"), kCodeSize),
                text(QStringLiteral("ty"), kShortSize),
                text(QStringLiteral("ID"), kIdSize),
                number(QStringLiteral("sub_idx")),
                text(QStringLiteral("Img1")),
                date(QStringLiteral("writeday")),
            },
            {index(t, {QStringLiteral("ID"), QStringLiteral("sub_idx")})}};
}

// Inquiries left for an office about its listings.
TableDef inquiries() {
    const QString t = QStringLiteral("mem_paper");
    return {t,
            {
                key(QStringLiteral("table_idx")),
                text(QStringLiteral("id"), kIdSize),
                text(QStringLiteral("toid"), kIdSize),
                // The member who wrote it from the program, so that it can be answered; the web
                // leaves it empty.
                text(QStringLiteral("fromid"), kIdSize),
                text(QStringLiteral("tb"), kCodeSize),
                text(QStringLiteral("ty"), kShortSize),
                number(QStringLiteral("tidx")),
                text(QStringLiteral("name"), 0, QStringLiteral("이름")),
                text(QStringLiteral("tel"), 0, QStringLiteral("전화")),
                text(QStringLiteral("email"), 0, QStringLiteral("이메일")),
                text(QStringLiteral("title"), 0, QStringLiteral("제목")),
                text(QStringLiteral("content"), 0, QStringLiteral("내용")),
                number(QStringLiteral("readok"), QStringLiteral("구분")),
                date(QStringLiteral("readday"), QStringLiteral("읽은시간")),
                date(QStringLiteral("writeday"), QStringLiteral("받은시간")),
            },
            {index(t, {QStringLiteral("toid"), QStringLiteral("writeday")})}};
}

} // namespace

QList<TableDef> listingStoreTables() {
    return {
        members(),      settings(), localFileBox(), contracts(),    receipts(),      confirmationForms(false),
        tenants(),      loans(),    buyers(),       matchHistory(), cards(),         workNotes(),
        appointments(), diary(),    post(),         subway(),       listingGroups(), listingGroupMembers(),
        sellers(),      outbox()};
}

QList<TableDef> serverStoreTables() {
    return {members(), serverTexts(),   memberHistory(), cashLedger(),
            clubs(),   clubMembers(),   clubMessages(),  post(),
            subway(),  serverFileBox(), inquiries(),     confirmationForms(true)};
}

} // namespace teran
