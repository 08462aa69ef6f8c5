#include "DemoSeed.h"
#include "core/store/RowWriter.h"

#include "core/online/OfficeSetup.h"
#include "core/session/DataFolder.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/ListingRepository.h"
#include "core/listing/PropertyTypes.h"
#include "core/people/Appointments.h"
#include "core/people/BuyerMatch.h"
#include "core/people/CardBook.h"
#include "core/people/MoneyDiary.h"
#include "core/session/WorkNotes.h"

#include <cmath>
#include <iterator>
#include <random>
#include <utility>

namespace teran {

namespace {

const QString kDemo = QStringLiteral("demo");
constexpr int kNoticeType = 64; // information box

// Draws from a fixed sequence. The range mapping is our own, not a standard distribution, whose
// results differ between standard libraries: the demo is the same on every machine.
class DemoRandom {
public:
    explicit DemoRandom(std::uint32_t seed)
        : m_gen(seed) {}
    int between(int lo, int hi) { return hi <= lo ? lo : lo + int(m_gen() % std::uint32_t(hi - lo + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    double unit() { return between(0, 1000) / 1000.0; }
    // One of the '|'-separated choices.
    QString pick(const char* choices) {
        const QStringList all = QString::fromUtf8(choices).split(QLatin1Char('|'));
        return all.at(between(0, int(all.size()) - 1));
    }

private:
    std::mt19937 m_gen;
};

struct Range {
    int lo;
    int hi;
};

struct Region {
    const char* addr1;
    const char* addr2;
    const char* towns;
    const char* complexes;
    const char* stations; // "line:station"
    const char* post;     // leading digits of its postcodes
    const char* phoneArea;
    int pricePercent; // how far up its ranges prices reach
};

// Complexes name one for each town, in the same order.
const Region kRegions[] = {
    {"서울", "강남구", "역삼동|삼성동|대치동|논현동|개포동", "역삼센트럴|삼성현대|대치한빛|논현동부|개포주공",
     "2호선:역삼|2호선:선릉|9호선:언주", "06", "02", 100},
    {"서울", "서초구", "서초동|반포동|방배동|잠원동", "서초삼풍|반포한양|방배삼익|잠원동아",
     "2호선:교대|3호선:고속터미널|2호선:방배", "06", "02", 100},
    {"서울", "송파구", "잠실동|가락동|문정동|방이동", "잠실주공|가락쌍용|문정시영|방이올림픽",
     "2호선:잠실|8호선:가락시장|5호선:방이", "05", "02", 85},
    {"서울", "마포구", "합정동|망원동|공덕동|상암동", "합정한강|망원한신|공덕삼성|상암월드컵",
     "2호선:합정|5호선:공덕|6호선:망원", "04", "02", 75},
    {"경기", "성남시 분당구", "정자동|서현동|수내동|야탑동", "정자느티마을|서현시범|수내양지|야탑장미",
     "신분당선:정자|수인분당선:서현|수인분당선:야탑", "13", "031", 70},
    {"경기", "수원시 영통구", "매탄동|영통동|망포동|이의동", "매탄주공|영통신나무실|망포한양|광교자연",
     "수인분당선:영통|수인분당선:망포|신분당선:광교중앙", "16", "031", 50},
    {"경기", "고양시 일산동구", "장항동|마두동|백석동|식사동", "장항호수|마두강촌|백석흰돌|식사위시티",
     "3호선:마두|3호선:백석|3호선:정발산", "10", "031", 45},
};
constexpr int kRegionCount = int(std::size(kRegions));
// The demo office works around 역삼동, now and then in the next districts.
constexpr int kDemoRegions[] = {0, 0, 0, 1, 2};

// Land, factories, warehouses, country houses and pensions lie outside the cities.
const Region kOutskirts[] = {
    {"경기", "용인시 처인구", "남사읍|백암면|원삼면|이동읍", "남사한숲|백암현대|원삼그린|이동신원", "", "17",
     "031", 35},
    {"경기", "가평군", "가평읍|청평면|설악면|상면", "가평자이|청평한신|설악그린|상면전원",
     "경춘선:가평|경춘선:청평|경춘선:상천", "12", "031", 30},
    {"경기", "화성시", "향남읍|봉담읍|팔탄면|남양읍", "향남제일|봉담자이|팔탄전원|남양뉴타운", "", "18",
     "031", 40},
};
const char* const kOutskirtsTypes = "junwon|sanjang|gong|mulru|land";

// Amounts in 만원 (sale, lease, deposit and rent of a monthly let); area in 평, the plot for
// the land-based types; the usable or building area as a share of it; floors; rooms.
// `names`: "@" the region's complexes, "#a|b" one of the names given, otherwise suffixes put
// after the town's name.
struct TypeProfile {
    const char* tb;
    Range sale, lease, deposit, rent;
    Range pyung;
    double useShare;
    Range floors, rooms;
    bool residential;
    const char* names;
    const char* kinds; // 형태
};

// clang-format off
const TypeProfile kTypes[] = {
    //  tb           sale                lease               deposit            rent          pyung        use   floors    rooms
    {"apt",       {30000, 250000},    {20000, 80000},     {500, 5000},       {30, 300},    {18, 60},    0.78, {12, 35}, {2, 4},    true,
     "@", "일반|로얄층|탑층|급매"},
    {"villa",     {15000, 60000},     {10000, 35000},     {300, 3000},       {30, 120},    {10, 30},    0.8,  {4, 5},   {2, 3},    true,
     "빌라|하이츠|맨션|파크빌", "다세대|연립|빌라"},
    {"opistel",   {12000, 50000},     {10000, 30000},     {500, 2000},       {40, 150},    {8, 30},     0.55, {10, 25}, {1, 2},    true,
     "오피스텔|타워|시티", "주거용|업무용"},
    {"dan",       {60000, 300000},    {20000, 60000},     {1000, 5000},      {80, 300},    {40, 100},   0.9,  {1, 3},   {3, 6},    true,
     "", "단독|상가주택"},
    {"dagagu",    {100000, 400000},   {20000, 50000},     {1000, 5000},      {60, 200},    {50, 120},   1.8,  {3, 5},   {8, 16},   true,
     "", "다가구|상가주택"},
    {"junwon",    {20000, 90000},     {10000, 30000},     {500, 3000},       {30, 150},    {100, 400},  0.25, {1, 2},   {2, 4},    true,
     "", "전원주택|농가주택|별장"},
    {"gunmul",    {300000, 2000000},  {0, 0},             {5000, 30000},     {300, 1500},  {60, 300},   3.0,  {4, 10},  {0, 0},    false,
     "빌딩|타워|프라자", "근린생활|업무용|상가건물"},
    {"bgsang",    {20000, 150000},    {0, 0},             {2000, 10000},     {100, 600},   {10, 50},    0.55, {3, 10},  {0, 0},    false,
     "프라자|상가|스퀘어", "1층상가|근린상가|단지내상가"},
    {"wonroom",   {10000, 30000},     {8000, 25000},      {300, 2000},       {35, 90},     {5, 12},     0.9,  {4, 6},   {1, 2},    true,
     "", "원룸|투룸|쓰리룸"},
    {"jumpo",     {20000, 100000},    {5000, 30000},      {1000, 10000},     {80, 500},    {10, 60},    0.85, {1, 5},   {0, 2},    false,
     "#카페|한식당|치킨전문점|미용실|편의점|학원", "1층점포|지하점포|2층점포"},
    {"office",    {30000, 200000},    {10000, 50000},     {1000, 10000},     {80, 800},    {20, 150},   0.6,  {5, 20},  {0, 0},    false,
     "빌딩|타워|오피스", "일반사무실|오피스|지식산업센터"},
    {"hotel",     {500000, 3000000},  {100000, 300000},   {30000, 100000},   {1500, 5000}, {300, 1000}, 4.0,  {8, 15},  {40, 120}, false,
     "호텔|관광호텔", "관광호텔|비즈니스호텔"},
    {"motel",     {200000, 1200000},  {50000, 150000},    {10000, 50000},    {800, 2500},  {100, 300},  3.0,  {5, 8},   {20, 50},  false,
     "모텔|파크|인", "모텔"},
    {"sanjang",   {30000, 200000},    {10000, 50000},     {3000, 10000},     {200, 800},   {150, 600},  0.4,  {1, 3},   {5, 20},   false,
     "펜션|하우스|산장", "펜션|여인숙|민박"},
    {"gong",      {100000, 800000},   {10000, 50000},     {1000, 10000},     {100, 800},   {200, 1500}, 0.5,  {1, 3},   {0, 0},    false,
     "산업|정밀|테크", "제조공장|창고겸공장"},
    {"mulru",     {100000, 600000},   {10000, 40000},     {2000, 10000},     {200, 1000},  {300, 2000}, 0.6,  {1, 2},   {0, 0},    false,
     "", "물류창고|저온창고|일반창고"},
    {"joouso",    {300000, 1500000},  {50000, 100000},    {5000, 20000},     {300, 1000},  {150, 400},  0.2,  {1, 2},   {0, 0},    false,
     "주유소|셀프주유소", "주유소|충전소"},
    {"land",      {10000, 500000},    {1000, 5000},       {100, 1000},       {10, 100},    {100, 2000}, 0.0,  {0, 0},   {0, 0},    false,
     "", "대|전|답|임야"},
    {"budongsan", {3000, 20000},      {2000, 10000},      {500, 3000},       {50, 200},    {8, 20},     0.9,  {1, 3},   {0, 0},    false,
     "", "중개업소|권리양도"},
};
// clang-format on

// Types an office handles most, drawn for all but the first listing of each type.
const char* const kCommonTypes = "apt|apt|apt|villa|villa|opistel|opistel|wonroom|wonroom|office|jumpo|dan|"
                                 "dagagu|land|bgsang";

struct Office {
    const char* id;
    const char* shop;
    const char* showname;
    const char* boss;
    int region;
    const char* town;
    const char* street;
    const char* shopnum;
    // Numbers whose first digit after the area code is 0 are never issued: the demo's phones
    // and SMS reach nobody.
    const char* phone;
    const char* mobile;
};

// clang-format off
const Office kDemoOffice = {"demo", "테란공인중개사사무소", "테란부동산", "김영호", 0, "역삼동",
                            "823-15 테란빌딩 1층", "11680-2026-00123", "02-0555-0123", "010-0123-4567"};

const Office kOtherOffices[] = {
    {"hanbit", "한빛공인중개사사무소", "한빛부동산", "이정훈", 1, "서초동", "1317-5 서초프라자 102호",
     "11650-2018-00457", "02-0534-2211", "010-0311-2211"},
    {"mirae", "미래공인중개사사무소", "미래부동산", "박선영", 2, "잠실동", "175-3 1층",
     "11710-2020-00212", "02-0412-7788", "010-0422-7788"},
    {"sejong", "세종공인중개사사무소", "세종부동산", "최민수", 3, "공덕동", "396-12 1층",
     "11440-2017-00318", "02-0332-4545", "010-0533-4545"},
    {"pureun", "푸른공인중개사사무소", "분당푸른부동산", "정미경", 4, "정자동", "9-2 정자프라자 105호",
     "41135-2021-00096", "031-0711-3030", "010-0644-3030"},
    {"gwanggyo", "광교공인중개사사무소", "광교부동산", "강태식", 5, "이의동", "1270 상가동 101호",
     "41117-2019-00533", "031-0206-8282", "010-0755-8282"},
    {"haneul", "하늘공인중개사사무소", "일산하늘부동산", "윤혜진", 6, "장항동", "868 1층",
     "41285-2022-00147", "031-0905-1004", "010-0866-1004"},
};
// clang-format on

struct Staff {
    const char* id;
    const char* password;
    const char* name;
    const char* showname;
    const char* mobile;
};

const Staff kStaff[] = {
    {"staff1", "staff1234", "이지은", "이지은 실장", "010-0234-1111"},
    {"staff2", "staff2234", "박준호", "박준호 과장", "010-0234-2222"},
};

const char* const kSurnames = "김|이|박|최|정|강|조|윤|장|임|한|오|서|신|권|황|안|송";
const char* const kGivenNames = "민준|서연|지훈|수빈|현우|지민|영수|순자|정희|상철|미숙|성호|은주|재훈|경자|"
                                "동현|혜린|병철|옥순|태준";
const char* const kHomeRemarks =
    "채광 좋고 전망 트임|올수리 완료, 즉시 입주 가능|역세권 도보 5분|"
    "학군 우수, 초등학교 인접|주인 직접 거주, 관리 상태 양호|급매, 가격 조정 가능|"
    "남향, 로얄층|주차 편리, 단지 내 공원";
const char* const kBusinessRemarks =
    "대로변 코너, 유동인구 많음|주차 편리, 화물차 진입 가능|권리금 조정 가능|"
    "임차인 안정적, 수익률 양호|급매, 가격 협의 가능|관리 상태 양호|"
    "역세권, 가시성 좋음";
const char* const kSharedNotes = "공동중개 환영합니다|매수인 있으시면 연락 주세요|수수료 반반 공동중개|"
                                 "현장 안내 가능, 사전 연락 바랍니다|급매물, 빠른 연락 부탁드립니다";
// States of the own listings in turn: mostly in the box or published, a few archived.
constexpr int kOwnStates[] = {0, 1, 0, 3, 1, 7, 0, 1, 2, 3};

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

const TypeProfile& profileOf(const QString& tb) {
    for (const TypeProfile& type : kTypes)
        if (tb == QLatin1String(type.tb))
            return type;
    return kTypes[0];
}

QString phone(const char* area, DemoRandom& r) {
    return QStringLiteral("%1-0%2-%3")
        .arg(utf8(area))
        .arg(r.between(100, 999))
        .arg(r.between(0, 9999), 4, 10, QLatin1Char('0'));
}

QString personName(DemoRandom& r) {
    return r.pick(kSurnames) + r.pick(kGivenNames);
}

// Rounded the way an office quotes: to 500 above 1억, to 100 above 1,000, then to 10 and 5.
qint64 quoted(double amount) {
    const qint64 step = amount >= 10000 ? 500 : amount >= 1000 ? 100 : amount >= 100 ? 10 : 5;
    return qMax(step, qint64(std::llround(amount / double(step))) * step);
}

// Bigger places in dearer districts reach further up the type's range.
qint64 amountIn(Range range, double size, const Region& region, DemoRandom& r) {
    const double mix = (0.6 * size + 0.4 * r.unit()) * region.pricePercent / 100.0;
    return quoted(range.lo + (range.hi - range.lo) * mix);
}

QString transactionFor(const QString& tb, DemoRandom& r) {
    const QString offered = findPropertyType(tb)->transactions;
    if (offered.contains(QLatin1Char('B')) && r.chance(10))
        return QStringLiteral("B");
    QString plain = offered;
    plain.remove(QLatin1Char('B'));
    return plain.mid(r.between(0, int(plain.size()) - 1), 1);
}

void putMoney(ListingRow& row, const TypeProfile& type, const QString& ty, double size, const Region& region,
              DemoRandom& r) {
    if (ty == QLatin1String("M")) {
        const qint64 price = amountIn(type.sale, size, region, r);
        row[QStringLiteral("money_m")] = price;
        if (r.chance(40))
            row[QStringLiteral("money_y")] = quoted(price * r.between(10, 40) / 100.0);
        if (!type.residential && r.chance(60))
            row[QStringLiteral("money_ys")] = r.between(30, 65) / 10.0;
    } else if (ty == QLatin1String("J")) {
        row[QStringLiteral("money_jb")] = amountIn(type.lease, size, region, r);
    } else if (ty == QLatin1String("W")) {
        row[QStringLiteral("money_b")] = amountIn(type.deposit, size, region, r);
        row[QStringLiteral("money_w")] = amountIn(type.rent, size, region, r);
        if (type.floors.hi >= 4)
            row[QStringLiteral("money_g")] = quoted(r.between(5, 40));
    } else { // a presale right: price, what has been paid in, and the premium on top
        const qint64 price = amountIn(type.sale, size, region, r);
        row[QStringLiteral("money_bu")] = price;
        row[QStringLiteral("money_bn")] = quoted(price * r.between(10, 30) / 100.0);
        row[QStringLiteral("money_m")] = price + quoted(r.between(1000, 8000));
    }
    if (QLatin1String(type.tb) == QLatin1String("jumpo") && ty != QLatin1String("M"))
        row[QStringLiteral("money_s")] = quoted(r.between(1000, 8000));
}

QString nameFor(const TypeProfile& type, const Region& region, const QString& town, DemoRandom& r) {
    const QString names = utf8(type.names);
    if (names.isEmpty())
        return {};
    if (names == QLatin1String("@")) {
        const QStringList towns = utf8(region.towns).split(QLatin1Char('|'));
        return utf8(region.complexes).split(QLatin1Char('|')).value(towns.indexOf(town));
    }
    if (names.startsWith(QLatin1Char('#')))
        return r.pick(type.names + 1);
    return town.chopped(1) + r.pick(type.names); // "역삼동" -> "역삼타워"
}

void putPlace(ListingRow& row, const TypeProfile& type, const Region& region, DemoRandom& r) {
    const QString town = r.pick(region.towns);
    row[QStringLiteral("addr1")] = utf8(region.addr1);
    row[QStringLiteral("addr2")] = utf8(region.addr2);
    row[QStringLiteral("addr3")] = town;
    row[QStringLiteral("post")] = utf8(region.post) + QString::number(r.between(100, 999));
    const QString name = nameFor(type, region, town, r);
    if (!name.isEmpty())
        row[QStringLiteral("cboname")] = name;
    if (!*region.stations)
        return;
    const QStringList station = r.pick(region.stations).split(QLatin1Char(':'));
    row[QStringLiteral("line")] = station.at(0);
    row[QStringLiteral("station")] = station.at(1);
    row[QStringLiteral("walking")] = r.between(3, 15);
}

// Returns how far up the type's size range the place is (0 .. 1).
double putBuilding(ListingRow& row, const TypeProfile& type, const QString& ty, int year, DemoRandom& r) {
    const double pyung = r.between(type.pyung.lo * 10, type.pyung.hi * 10) / 10.0;
    row[QStringLiteral("pyung")] = pyung;
    if (type.useShare > 0)
        row[QStringLiteral("pyung_use")] = std::round(pyung * type.useShare * 10) / 10;
    if (type.floors.hi > 0) {
        const int floors = r.between(type.floors.lo, type.floors.hi);
        row[QStringLiteral("floor_max")] = floors;
        row[QStringLiteral("floor")] = QString::number(r.between(1, floors));
        row[QStringLiteral("elv")] = floors >= 5 ? QStringLiteral("있음") : QStringLiteral("없음");
        row[QStringLiteral("makedate")] =
            QString::number(ty == QLatin1String("B") ? year + r.between(1, 2) : r.between(1988, year - 1));
    }
    if (type.rooms.hi > 0)
        row[QStringLiteral("room")] = r.between(type.rooms.lo, type.rooms.hi);
    if (type.residential) {
        row[QStringLiteral("bathroom")] =
            QString::number(row.value(QStringLiteral("room")).toInt() >= 3 ? 2 : 1);
        row[QStringLiteral("direction")] = r.pick("남향|남동향|남서향|동향|서향");
        row[QStringLiteral("hottype")] = r.pick("개별난방|지역난방|중앙난방");
        row[QStringLiteral("fuel")] = r.pick("도시가스|도시가스|LPG|기름");
        row[QStringLiteral("parking")] = r.between(5, 15) / 10.0;
    }
    return (pyung - type.pyung.lo) / qMax(1, type.pyung.hi - type.pyung.lo);
}

// The columns a listing has wherever it lives: type, transaction, money, place and building.
ListingRow describe(const QString& tb, const Region& region, const QDate& today, DemoRandom& r) {
    const TypeProfile& type = profileOf(tb);
    const QString ty = transactionFor(tb, r);
    ListingRow row{{QStringLiteral("tb"), tb}, {QStringLiteral("ty"), ty}, {QStringLiteral("code"), 0}};
    const QString kind = r.pick(type.kinds);
    row[QStringLiteral("maemultype")] = kind;
    if (tb == QLatin1String("land"))
        row[QStringLiteral("jimok")] = kind;
    if (tb == QLatin1String("joouso"))
        row[QStringLiteral("maker")] = r.pick("SK에너지|GS칼텍스|S-OIL|현대오일뱅크");
    putPlace(row, type, region, r);
    const double size = putBuilding(row, type, ty, today.year(), r);
    putMoney(row, type, ty, size, region, r);
    row[QStringLiteral("mbigo")] = r.pick(type.residential ? kHomeRemarks : kBusinessRemarks);
    return row;
}

// A city district for most types; somewhere outside the cities for the types found there.
const Region& placeFor(const QString& tb, int cityRegion, DemoRandom& r) {
    if (utf8(kOutskirtsTypes).split(QLatin1Char('|')).contains(tb))
        return kOutskirts[r.between(0, int(std::size(kOutskirts)) - 1)];
    return kRegions[cityRegion];
}

QDateTime daysBack(const QDateTime& now, int days, DemoRandom& r) {
    return QDateTime(now.date().addDays(-days), QTime(r.between(9, 18), r.between(0, 59), r.between(0, 59)));
}

// --- The demo office's own listings (ListingStore) -------------------------------------------

QString ownType(int i, DemoRandom& r) {
    const QStringList all = propertyTypeCodes();
    return i < all.size() ? all.at(i) : r.pick(kCommonTypes);
}

void putOwner(ListingRow& row, const Region& region, const TypeProfile& type, DemoRandom& r) {
    row[QStringLiteral("uname")] = personName(r);
    row[QStringLiteral("uhp")] = phone("010", r);
    if (r.chance(50))
        row[QStringLiteral("uhome")] = phone(region.phoneArea, r);
    if (!type.residential && r.chance(50))
        row[QStringLiteral("uoffice")] = phone(region.phoneArea, r);
    if (r.chance(30))
        row[QStringLiteral("ubigo")] = r.pick("오전 통화 가능|문자 선호|저녁 7시 이후 연락|가족 대리인 연락");
    row[QStringLiteral("addr4")] = QStringLiteral("%1-%2").arg(r.between(10, 999)).arg(r.between(1, 60));
    const int floor = row.value(QStringLiteral("floor")).toInt();
    const QString tb = utf8(type.tb);
    if (tb == QLatin1String("apt"))
        row[QStringLiteral("addr5")] = QStringLiteral("%1동 %2%3호")
                                           .arg(r.between(101, 115))
                                           .arg(floor)
                                           .arg(r.between(1, 4), 2, 10, QLatin1Char('0'));
    else if (QStringLiteral("villa|opistel|wonroom").split(QLatin1Char('|')).contains(tb))
        row[QStringLiteral("addr5")] =
            QStringLiteral("%1%2호").arg(floor).arg(r.between(1, 4), 2, 10, QLatin1Char('0'));
}

ListingRow ownListing(int i, const QDateTime& now, DemoRandom& r) {
    const QString tb = ownType(i, r);
    const Region& region = placeFor(tb, kDemoRegions[r.between(0, int(std::size(kDemoRegions)) - 1)], r);
    ListingRow row = describe(tb, region, now.date(), r);
    const int state = kOwnStates[i % int(std::size(kOwnStates))];
    const bool reserved = i % 9 == 4; // a few owners' contacts kept to the staff member in charge
    row[QStringLiteral("id")] = kDemo;
    row[QStringLiteral("subid")] = reserved     ? utf8(kStaff[1].id)
                                   : i % 3 == 0 ? kDemo
                                                : utf8(kStaff[i % 3 - 1].id);
    if (reserved)
        row[QStringLiteral("opid")] = utf8(kStaff[1].id);
    row[QStringLiteral("state")] = state;
    const int age = state == stateValue(PublicationState::Archived) ? r.between(60, 200) : r.between(1, 50);
    const QDateTime showday = daysBack(now, age, r);
    const QDateTime writeday = daysBack(now, age + r.between(0, 60), r);
    row[QStringLiteral("showday")] = showday;
    row[QStringLiteral("writeday")] = writeday < showday ? writeday : showday;
    row[QStringLiteral("offday")] = writeday.date().addMonths(6);
    row[QStringLiteral("ming")] = r.pick("진행중|진행중|계약협의|보류");
    row[QStringLiteral("jubsu")] = r.pick("방문|전화|인터넷|소개");
    row[QStringLiteral("keyword")] = row.value(QStringLiteral("addr3")).toString() + QLatin1Char(',') +
                                     row.value(QStringLiteral("maemultype")).toString();
    const bool published = isPublished(PublicationState(state));
    row[QStringLiteral("maemaepart")] = published ? QStringLiteral("공동중개") : QStringLiteral("단독중개");
    // Taken from the number, not the generator, so that the rest of the office stays as it was.
    static const QStringList moveIn{QStringLiteral("즉시"), QStringLiteral("협의"),
                                    QStringLiteral("1개월 이내")};
    row[QStringLiteral("ipjuday")] = moveIn.at(i % moveIn.size());
    if (published)
        row[QStringLiteral("bigoie")] = r.pick(kSharedNotes);
    putOwner(row, region, profileOf(tb), r);
    return row;
}

int seedOwnListings(SqlStore& local, const QDateTime& now, std::uint32_t seed) {
    DemoRandom r(seed);
    const int count = r.between(40, 60);
    QList<ListingRow> rows;
    for (int i = 0; i < count; ++i)
        rows << ownListing(i, now, r);
    return int(insertLocalBulk(local, rows).size());
}

// The server copy of a published local row as the registration save makes it; it is dated as if
// shared when it was last saved.
ListingRow sharedCopyOf(const ListingRow& local) {
    Disclosure disclosure;
    disclosure.state =
        publicationStateFrom(local.value(QStringLiteral("state"))).value_or(PublicationState::Internet);
    disclosure.hitadd = local.value(QStringLiteral("hitadd")).toInt();
    disclosure.hitmem = local.value(QStringLiteral("hitmem")).toInt();
    disclosure.now = local.value(QStringLiteral("showday")).toDateTime();
    return serverCopyOf(local, kDemo, disclosure);
}

int rewriteOwnCopies(SqlStore& local, SqlStore& server) {
    server.execute(QStringLiteral("DELETE FROM maemul WHERE id=?"), {kDemo});
    QSqlQuery published = local.query(
        QStringLiteral("SELECT table_idx FROM maemul WHERE id=? AND state IN (?,?,?) ORDER BY table_idx"),
        {kDemo, stateValue(PublicationState::Internet), stateValue(PublicationState::ClubsAndInternet),
         stateValue(PublicationState::Clubs)});
    QList<int> numbers;
    while (published.next())
        numbers << published.value(0).toInt();
    for (int number : numbers)
        insertServer(server, sharedCopyOf(*readLocal(local, number)));
    return int(numbers.size());
}

// --- Accounts, notices, other offices and a club (ServerStore) -------------------------------

QString emailOf(const QString& memId) {
    return memId + QStringLiteral("@teran.example");
}

// An account of an office. Staff rows carry the office's details too: printouts and contracts
// read them from the row of whoever logged in.
void insertMember(SqlStore& server, const Office& office, const QString& memType, const QString& memId,
                  const QString& password, const QString& name, const QString& showname,
                  const QString& mobile, const QVariant& adminMsg, const QDateTime& joined) {
    const Region& region = kRegions[office.region];
    insertRow(server, QStringLiteral("members"),
              {{QStringLiteral("companyID"), utf8(office.id)},
               {QStringLiteral("memID"), memId},
               {QStringLiteral("memType"), memType},
               {QStringLiteral("memPWD"), password},
               {QStringLiteral("name"), name},
               {QStringLiteral("shopname"), utf8(office.shop)},
               {QStringLiteral("showname"), showname},
               {QStringLiteral("email"), emailOf(memId)},
               {QStringLiteral("addr1"), utf8(region.addr1)},
               {QStringLiteral("addr2"), utf8(region.addr2)},
               {QStringLiteral("addr3"), utf8(office.town)},
               {QStringLiteral("addr4"), utf8(office.street)},
               {QStringLiteral("homtel"), utf8(office.phone)},
               {QStringLiteral("hantel"), mobile},
               {QStringLiteral("fax"), utf8(office.phone).chopped(1) + QLatin1Char('9')},
               {QStringLiteral("shopnum"), utf8(office.shopnum)},
               {QStringLiteral("homepage"), QStringLiteral("http://%1.teran.example/").arg(utf8(office.id))},
               {QStringLiteral("admin_msg"), adminMsg},
               {QStringLiteral("startday"), joined},
               {QStringLiteral("writeday"), joined}});
}

int insertNotice(SqlStore& server) {
    const QVariant number =
        insertRow(server, QStringLiteral("mem_msg"),
                  {{QStringLiteral("title"), QStringLiteral("테란 데모 사무소에 오신 것을 환영합니다")},
                   {QStringLiteral("content"),
                    QStringLiteral("데모 사무소의 매물, 공유매물, 클럽을 자유롭게 둘러보세요.\r\n"
                                   "직원 계정 staff1, staff2 로도 로그인할 수 있습니다.")},
                   {QStringLiteral("Type"), kNoticeType},
                   {QStringLiteral("enable"), QStringLiteral("0")}});
    return number.toInt();
}

int seedDemoAccounts(SqlStore& server, const QDateTime& now) {
    const int notice = insertNotice(server);
    const Office& o = kDemoOffice;
    insertMember(server, o, QStringLiteral("A"), kDemo, QStringLiteral("demo1234"), utf8(o.boss),
                 utf8(o.showname), utf8(o.mobile), QString::number(notice), now.addDays(-400));
    for (const Staff& s : kStaff)
        insertMember(server, o, QStringLiteral("B"), utf8(s.id), utf8(s.password), utf8(s.name),
                     utf8(s.showname), utf8(s.mobile), QString(), now.addDays(-200));
    return 1 + int(std::size(kStaff));
}

// A shared listing of another office: no owner details, its own numbering, shown to others
// while its showday is recent. Every eighth is past the 60-day window of the shared lists.
ListingRow sharedListing(const Office& office, int k, int number, const QDateTime& now, DemoRandom& r) {
    const QString tb = r.chance(25)
                           ? propertyTypeCodes().at(r.between(0, int(propertyTypeCodes().size()) - 1))
                           : r.pick(kCommonTypes);
    const Region& region = placeFor(tb, r.chance(70) ? office.region : r.between(0, kRegionCount - 1), r);
    ListingRow row = describe(tb, region, now.date(), r);
    const int age = k % 8 == 0 ? r.between(61, 120) : r.between(1, 50);
    const int cap = qMax(0, 50 - age); // keep the recent ones' earlier dates within 50 days
    const QDateTime showday = daysBack(now, age, r);
    const QDateTime sortday = showday.addDays(-qMin(cap, r.between(0, 2)));
    row[QStringLiteral("id")] = utf8(office.id);
    row[QStringLiteral("subid")] = utf8(office.id);
    row[QStringLiteral("sub_idx")] = number;
    row[QStringLiteral("state")] = r.pick("1|1|1|3|3|7").toInt();
    row[QStringLiteral("showday")] = showday;
    row[QStringLiteral("sortday")] = sortday;
    row[QStringLiteral("writeday")] = sortday.addDays(-r.between(0, age > 50 ? 30 : qMax(0, 50 - age - 2)));
    row[QStringLiteral("maemaepart")] = QStringLiteral("공동중개");
    row[QStringLiteral("bigoie")] = r.pick(kSharedNotes);
    row[QStringLiteral("readnum")] = r.between(0, 300);
    row[QStringLiteral("hitadd")] = 0;
    row[QStringLiteral("hitmem")] = 0;
    return row;
}

int seedOtherOffice(SqlStore& server, int index, const QDateTime& now, std::uint32_t seed) {
    // Each office draws from its own sequence, so the others stay the same when one is added.
    DemoRandom r(seed + 101u * std::uint32_t(index + 1));
    const Office& o = kOtherOffices[index];
    insertMember(server, o, QStringLiteral("A"), utf8(o.id), utf8(o.id) + QStringLiteral("1234"),
                 utf8(o.boss), utf8(o.showname), utf8(o.mobile), QString(),
                 now.addDays(-r.between(300, 900)));
    const int count = r.between(10, 30);
    int number = r.between(1, 300);
    for (int k = 0; k < count; ++k) {
        insertServer(server, sharedListing(o, k, number, now, r));
        number += r.between(1, 4);
    }
    return count;
}

// A club chaired by the first other office, with the demo office and the second as full
// members, so the demo office reads its listings; and a message from the demo office to the
// chairman.
int seedClub(SqlStore& server, int otherOffices, const QDateTime& now) {
    if (otherOffices < 2)
        return 0;
    const QString chair = utf8(kOtherOffices[0].id);
    const int club =
        insertRow(server, QStringLiteral("teranclub"),
                  {{QStringLiteral("id"), chair},
                   {QStringLiteral("clubname"), QStringLiteral("강남서초 공동중개클럽")},
                   {QStringLiteral("kind"), QStringLiteral("지역모임")},
                   {QStringLiteral("tb"), QStringLiteral("apt,villa,opistel,gunmul,dan,dagagu,hotel,"
                                                         "motel,junwon,wonroom,sanjang")},
                   {QStringLiteral("content"),
                    QStringLiteral("강남·서초·송파 주거용 매물을 함께 나누는 중개사 모임입니다.")}})
            .toInt();
    const std::pair<QString, int> members[] = {{chair, 3}, {kDemo, 2}, {utf8(kOtherOffices[1].id), 2}};
    int days = 300;
    for (const auto& [id, level] : members)
        insertRow(server, QStringLiteral("teranclub_mem"),
                  {{QStringLiteral("club_idx"), club},
                   {QStringLiteral("id"), id},
                   {QStringLiteral("level"), level},
                   {QStringLiteral("writeday"), now.addDays(-(days -= 60))}});
    insertRow(server, QStringLiteral("teranclub_paper"),
              {{QStringLiteral("id"), kDemo},
               {QStringLiteral("toid"), chair},
               {QStringLiteral("title"), QStringLiteral("반포동 아파트 공동중개 문의")},
               {QStringLiteral("content"),
                QStringLiteral("클럽에 올리신 반포동 아파트 매물 공동중개 가능할까요?<br>"
                               "매수 손님이 계십니다. 연락 부탁드립니다.")},
               {QStringLiteral("writeday"), now.addDays(-2)}});
    return 1;
}

// Two messages in the demo office's inquiry box: one left on the web, one from another office.
void seedInquiries(SqlStore& server, const QDateTime& now) {
    const QString other = utf8(kOtherOffices[0].id);
    const struct {
        QString from, name, tel, title, content;
        int listing, daysAgo;
    } messages[] = {
        {{},
         QStringLiteral("이영희"),
         QStringLiteral("010-2345-6789"),
         QStringLiteral("매물번호 1 번에 관련  문의 입니다."),
         QStringLiteral("주말에 방문해서 볼 수 있을까요?<br>주차 가능한지도 궁금합니다."),
         1,
         1},
        {other, utf8(kOtherOffices[0].shop), QStringLiteral("02-555-0101"),
         QStringLiteral("매물번호 2 번에 관련  문의 입니다."),
         QStringLiteral("매수 손님이 있습니다. 공동중개 가능하신지요?"), 2, 0},
    };
    for (const auto& m : messages)
        insertRow(server, QStringLiteral("mem_paper"),
                  {{QStringLiteral("id"), kDemo},
                   {QStringLiteral("toid"), kDemo},
                   {QStringLiteral("fromid"), m.from},
                   {QStringLiteral("tb"), QStringLiteral("apt")},
                   {QStringLiteral("ty"), QString()},
                   {QStringLiteral("tidx"), m.listing},
                   {QStringLiteral("name"), m.name},
                   {QStringLiteral("tel"), m.tel},
                   {QStringLiteral("title"), m.title},
                   {QStringLiteral("content"), m.content},
                   {QStringLiteral("readok"), 0},
                   {QStringLiteral("writeday"), now.addDays(-m.daysAgo).addSecs(-3600)}});
}

// The demo office's cash at the vendor, as a payment booked a week ago: enough for the SMS
// messages a newcomer tries (30 원 each).
void seedCash(SqlStore& server, const QDateTime& now) {
    insertRow(server, QStringLiteral("mem_cash"),
              {{QStringLiteral("companyID"), kDemo},
               {QStringLiteral("ID"), kDemo},
               {QStringLiteral("Type"), QStringLiteral("캐쉬충전")},
               {QStringLiteral("Money"), 30000},
               {QStringLiteral("content"), QStringLiteral("체험용 캐쉬 충전 30,000 원")},
               {QStringLiteral("writeday"), now.addDays(-7)}});
}

// A buyer who wants what one of the office's listings offers, with ranges around its values (so
// that 맞는 매수인 and 맞는 매물 have something to show), and a first note.
void addBuyerFor(SqlStore& local, const MatchedListing& l, const QDateTime& writeday, DemoRandom& r) {
    // Quoted as an office would, and always holding the listing's own value; nothing is wanted
    // of a value the listing does not state.
    const auto around = [](double value, double below, double above) {
        if (value <= 0)
            return std::pair<qint64, qint64>{0, 0};
        return std::pair{qMin(quoted(value * below), qint64(std::floor(value))),
                         qMax(quoted(value * above), qint64(std::ceil(value)))};
    };
    const auto [areaFrom, areaTo] = around(l.area, 0.8, 1.2);
    const auto [amountFrom, amountTo] = around(double(l.amount), 0.85, 1.1);
    const auto [rentFrom, rentTo] = around(double(l.rent), 0.8, 1.2);
    RowValues row{
        {QStringLiteral("groupin"), r.between(0, 2) == 0 ? QStringLiteral("VIP") : QStringLiteral("일반")},
        {QStringLiteral("jubsu"), r.between(0, 1) ? QStringLiteral("방문") : QStringLiteral("전화")},
        {QStringLiteral("name"), personName(r)},
        {QStringLiteral("hantel"), phone("010", r)},
        {QStringLiteral("addre1"), l.addr1},
        {QStringLiteral("addre2"), l.addr2},
        {QStringLiteral("addre3"), r.between(0, 2) == 0 ? l.addr3 : QString()},
        {QStringLiteral("tb"), l.typeLabel},
        {QStringLiteral("ty"), l.transaction},
        {QStringLiteral("p1"), areaFrom},
        {QStringLiteral("p2"), areaTo},
        {QStringLiteral("m1"), amountFrom},
        {QStringLiteral("m2"), amountTo},
        {QStringLiteral("m3"), rentFrom},
        {QStringLiteral("m4"), rentTo},
        {QStringLiteral("txt1"), kDemo},
        {QStringLiteral("writeday"), writeday}};
    const int number = insertRow(local, QStringLiteral("maesuin"), row).toInt();
    WorkNoteBook(local, kDemo)
        .add({NoteKind::Buyer,
              number,
              kDemo,
              writeday.date(),
              QStringLiteral("첫 상담: 희망 조건 확인"),
              {},
              {},
              {}});
}

// Buyers for some of the office's listings, and a few business cards and customers with notes.
int seedPeople(SqlStore& local, const QDateTime& now, DemoRandom& r) {
    QList<MatchedListing> wanted;
    QSqlQuery q = local.query(QStringLiteral(
        "SELECT table_idx FROM maemul WHERE tb IN ('apt', 'villa', 'opistel') ORDER BY table_idx"));
    QList<int> numbers;
    while (q.next() && numbers.size() < 8)
        numbers << q.value(0).toInt();
    q.finish();
    for (int number : numbers)
        if (const std::optional<ListingRow> row = readLocal(local, number))
            wanted << matchedListing(*row);
    for (int i = 0; i < wanted.size(); ++i)
        addBuyerFor(local, wanted.at(i), now.addDays(-r.between(1, 40)), r);
    const struct {
        CardPart part;
        const char *group, *company, *note;
    } people[] = {
        {CardPart::Namecard, "법무사", "한빛법무사사무소", "등기 의뢰 가능"},
        {CardPart::Namecard, "은행", "국민은행 역삼지점", "주택담보대출 상담"},
        {CardPart::Namecard, "인테리어", "새봄인테리어", "견적 빠름"},
        {CardPart::Customer, "매도인", "", "다음 달 매물 추가 예정"},
        {CardPart::Customer, "임대인", "", "월세 조정 문의"},
    };
    for (const auto& p : people) {
        const QDateTime day = now.addDays(-r.between(1, 60));
        const int number = insertRow(local, QStringLiteral("namecard"),
                                     {{QStringLiteral("part"), cardKind(p.part).partValue},
                                      {QStringLiteral("groupin"), utf8(p.group)},
                                      {QStringLiteral("company"), utf8(p.company)},
                                      {QStringLiteral("name"), personName(r)},
                                      {QStringLiteral("hantel"), phone("010", r)},
                                      {QStringLiteral("office"), phone("02", r)},
                                      {QStringLiteral("writeday"), day}})
                               .toInt();
        WorkNoteBook(local, kDemo)
            .add({cardKind(p.part).noteKind, number, kDemo, day.date(), utf8(p.note), {}, {}, {}});
    }
    return int(wanted.size());
}

// A few appointments and diary lines of the demo login around today.
void seedDiary(SqlStore& local, const QDateTime& now) {
    const QDate today = now.date();
    AppointmentBook book(local, kDemo);
    const struct {
        int day;
        const char *time, *kind, *name, *company, *place, *remind;
    } meetings[] = {
        {0, "10:30", "상담", "김민수", "", "사무실", ""},
        {1, "14:00", "계약", "박서연", "한빛상사", "반포동 현장", "2"},
        {3, "11:00", "잔금", "최지훈", "", "은행 본점", "3"},
    };
    for (const auto& m : meetings) {
        const QDate day = today.addDays(m.day);
        Appointment a{0,
                      day,
                      utf8(m.time),
                      utf8(m.kind),
                      QStringLiteral("예정"),
                      utf8(m.name),
                      utf8(m.company),
                      utf8(m.place),
                      {},
                      reminderStart(day, utf8(m.remind))};
        book.save(a);
    }
    MoneyDiary diary(local, kDemo);
    MoneyLine lines[] = {
        {0,
         QStringLiteral("수수료"),
         today.addDays(-2),
         QStringLiteral("16:00"),
         1'800'000,
         QStringLiteral("아파트 매매 중개수수료"),
         0,
         {},
         {}},
        {0,
         QStringLiteral("광고"),
         today.addDays(-1),
         QStringLiteral("09:30"),
         0,
         {},
         250'000,
         QStringLiteral("생활정보지 광고"),
         {}},
        {0,
         QStringLiteral("경비"),
         today,
         QStringLiteral("12:10"),
         0,
         {},
         32'000,
         QStringLiteral("현장 주차비"),
         {}},
    };
    for (MoneyLine& line : lines)
        diary.save(line);
}

bool serverHasDemoOffice(SqlStore& server) {
    return server.scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {kDemo}, 0).toInt() >
           0;
}

bool listingStoreIsEmpty(SqlStore& local) {
    return local.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul"), {}, 0).toInt() == 0;
}

} // namespace

ServerTextValues demoServerTexts() {
    return {QStringLiteral("teran-ftp-pw"), 7300};
}

DemoSeedReport makeDemoOffice(const TeranConfig& config, const Clock& clock) {
    prepareOffice(config, demoServerTexts(), true);
    SqlStore listing(QStringLiteral("demo-office-listing"));
    StoreUrl listingUrl = StoreUrl::sqliteFile(DataFolder(config.dataPath).listingStoreFile());
    listingUrl.mustExist = true;
    listing.open(listingUrl);
    SqlStore server(QStringLiteral("demo-office-server"));
    server.open(configuredServerUrl(config));
    return seedDemo(listing, server, clock);
}

QString demoOfficeId() {
    return kDemo;
}

DemoSeedReport seedDemo(SqlStore& listingStore, SqlStore& serverStore, const Clock& clock,
                        const DemoSeedOptions& options) {
    DemoSeedReport report;
    const QDateTime now = clock.now();
    const bool seedServer = !serverHasDemoOffice(serverStore);
    // A store that holds any listing may belong to another office: it is left alone.
    const bool seedLocal = listingStoreIsEmpty(listingStore);
    if (!seedServer && !seedLocal)
        return report;
    if (seedLocal) {
        report.ownListings = seedOwnListings(listingStore, now, options.seed);
        DemoRandom people(options.seed + 1);
        report.buyers = seedPeople(listingStore, now, people);
        seedDiary(listingStore, now);
        report.localSeeded = true;
    }
    Transaction tx(serverStore);
    if (seedServer) {
        report.accounts = seedDemoAccounts(serverStore, now);
        seedCash(serverStore, now);
        report.notices = 1;
        report.otherOffices = qBound(0, options.otherOffices, int(std::size(kOtherOffices)));
        for (int i = 0; i < report.otherOffices; ++i)
            report.sharedListings += seedOtherOffice(serverStore, i, now, options.seed);
        report.clubs = seedClub(serverStore, report.otherOffices, now);
        if (report.otherOffices > 0)
            seedInquiries(serverStore, now);
        report.serverSeeded = true;
    }
    // Copies left by an earlier ListingStore would point at numbers this one does not have.
    report.serverCopies = rewriteOwnCopies(listingStore, serverStore);
    tx.commit();
    return report;
}

} // namespace teran
