#include "TypeFields.h"

#include <QDate>
#include <QHash>
#include <optional>

namespace teran {

namespace {

QStringList split(const char* joined, const char* separator = "|") {
    return QString::fromUtf8(joined).split(QString::fromUtf8(separator), Qt::SkipEmptyParts);
}

QStringList numbers(int from, int to) {
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << QString::number(n);
    return items;
}

// Every field of the form once: its usual caption, its input and its fixed items. A type may
// caption a field its own way (see the type rows below).
struct Field {
    const char* column;
    const char* caption;
    InputKind kind;
    QStringList items;
};

QStringList washers() {
    QStringList items{QStringLiteral("3m이하 이동식")};
    for (int m = 4; m <= 8; ++m)
        items << QStringLiteral("%1m 이동식").arg(m);
    items << QStringLiteral("이동식 기타") << QStringLiteral("9m 이하 터널식");
    for (int m = 10; m <= 19; ++m)
        items << QStringLiteral("%1m 터널식").arg(m);
    items << QStringLiteral("20m 이상 터널식") << QStringLiteral("기타");
    return items;
}

const QList<Field>& catalogue() {
    using K = InputKind;
    static const QList<Field> fields = {
        // general
        {"maemultype", "형태", K::FixedCombo, {}},
        // combos without items of their own are filled by the window (progress states, staff)
        {"ming", "진행상태", K::FixedCombo, {}},
        {"jubsu", "접수매체", K::FixedCombo, split("방문|전화|인터넷|소개|현수막|기타")},
        {"subid", "담당자", K::FixedCombo, {}},
        // the region cascade of the window fills the three address boxes
        {"addr1", "시도", K::FixedCombo, {}},
        {"addr2", "군구", K::FixedCombo, {}},
        {"addr3", "읍면동", K::FixedCombo, {}},
        {"addr4", "지번", K::Text, {}},
        {"addr5", "호수", K::Text, {}},
        {"cboname", "", K::StoredCombo, {}},
        {"pyung", "", K::Area, {}},
        {"pyung_use", "", K::Area, {}},
        {"keyword", "검색키워드", K::Text, {}},
        // sale terms
        {"money_m", "매매가", K::Money, {}},
        {"money_y", "융자", K::Money, {}},
        {"money_mb", "보증금", K::Money, {}},
        {"money_mw", "월세", K::Money, {}},
        {"money_sg", "실구입가", K::Money, {}},
        {"money_ys", "연수익률", K::Text, {}},
        {"money_bn", "분양가", K::Money, {}},
        {"money_g", "관리비", K::Money, {}},
        {"money_p", "평당가", K::Money, {}},
        {"money_yeja", "연이자", K::Money, {}},
        // lease terms
        {"money_jb", "전세보증금", K::Money, {}},
        {"money_b", "월세보증금", K::Money, {}},
        {"money_w", "월세금", K::Money, {}},
        {"money_s", "시설/권리금", K::Money, {}},
        {"gaeyak", "계약기간", K::FixedCombo, split("1년이하|1년|2년|3년|4년|5년|5년이상")},
        // land panel
        {"money_gp", "건물값(평당)", K::Money, {}},
        // object data
        {"maemaepart", "중개구분", K::FixedCombo,
         split("중개|직거래|중개/직거래|교환|경매|공동중개|렌트(옵션)")},
        {"mbigo", "비고", K::FixedCombo, split("절충가능|절충불가|문의바람")},
        {"ipjuday", "입주가능일", K::Text, {}},
        // details
        {"maker", "시공회사", K::StoredCombo, {}},
        {"makedate", "건축년도", K::FixedCombo, {}},
        {"remake", "재건축", K::FixedCombo, split("해당없음|사업승인|예정|기타")},
        {"dong", "총동수", K::Count, {}},
        {"sedae", "세대", K::Count, {}},
        {"floor", "해당층", K::FixedCombo,
         QStringList{QStringLiteral("지하"), QStringLiteral("옥탑")} + numbers(1, 40)},
        {"floor_max", "총층", K::FixedCombo, numbers(1, 40)},
        {"opentype", "출입방식", K::FixedCombo, split("계단식|복도식")},
        {"direction", "방향", K::FixedCombo, split("동향|서향|남향|북향|남동향|남서향|북동향|북서향")},
        {"elv", "승강기", K::FixedCombo, split("有|無")},
        {"poss", "유무", K::FixedCombo, split("有|無")},
        {"internet", "인터넷", K::FixedCombo, split("한국통신|두르넷|하나로|모두가능|설치안됨")},
        {"hottype", "난방방식", K::FixedCombo,
         split("개별난방|지역난방|중앙난방|중앙집중 냉난방|중앙난방 개별냉방|개별 냉난방")},
        {"fuel", "연료", K::FixedCombo, split("도시가스|LPG|태양열|기름|열병합|연탄|기타")},
        {"room", "방", K::FixedCombo, numbers(1, 10)},
        {"livingroom", "거실", K::FixedCombo, split("넓음|보통|좁음|없음")},
        {"bathroom", "욕실", K::FixedCombo, numbers(1, 5)},
        {"gunmul_bp", "평형분포", K::Text, {}},
        {"room_1", "원룸", K::Count, {}},
        {"room_2", "투룸", K::Count, {}},
        {"room_3", "쓰리룸 이상", K::Count, {}},
        {"parking", "주차대수", K::FixedCombo, numbers(1, 10)},
        {"parking_u", "지상주차", K::Count, {}},
        {"parking_d", "지하주차", K::Count, {}},
        {"parking_ty", "주차방식", K::FixedCombo, split("기계식|자주식|기계/자주|타워|기타")},
        {"gujo", "건물구조", K::FixedCombo, split("철근콘크리트 평슬라브|철골조철근콘크리트 평슬라브|기타")},
        {"yongdo", "용도", K::FixedCombo, split("주거용|사무용|주거/사무용|기타")},
        {"landtype", "토지형태", K::FixedCombo, split("정방형|부정형|가로장방형|세로장방형|사다리형|기타")},
        {"money_lp", "공시지가(평당, 원)", K::Money, {}},
        {"dosi", "도시계획", K::FixedCombo,
         split(
             "전용주거지역|준주거지역|제1종 일반주거지역|제2종 일반주거지역|제3종 일반주거지역|일반상업지역|"
             "근린상업지역|유통상업지역|중심상업지역|전용공업지역|준공업지역|관리지역|도시지역|보전녹지지역|"
             "생산녹지지역|일반공업지역|준도시지역|자연녹지지역|자연환경보전지역|해당없음|기타")},
        {"doro", "도로", K::Text, {}},
        {"gsangtae", "건물상태", K::FixedCombo, split("내외벽 매우양호|내외벽 양호|내외벽 보통|내외벽 노후")},
        {"sangtae", "내부상태", K::FixedCombo, split("아주깔끔|보통|수리요망")},
        {"magam", "외벽마감재", K::FixedCombo,
         split("적벽돌|대리석/화강암|인조석|목조|드라이비트|샌드위치판넬|법량|스펜달 컬러통유리|타일|시멘트|"
               "스테인레스|사이팅|스톡|기타")},
        {"elv_in", "승강기 인승", K::Count, {}},
        {"elv_su", "승강기 대수", K::Count, {}},
        {"ydo", "향후용도", K::Text, {}},
        {"yungdo_n", "현재용도", K::Text, {}},
        {"yungdo_j", "적합용도", K::Text, {}},
        {"sizip", "객실시설", K::Text, {}},
        {"sisoul", "시설집기비품", K::Text, {}},
        {"budae", "부대시설", K::Text, {}},
        {"chair", "좌석수", K::FixedCombo, numbers(1, 10)},
        {"desk", "테이블수", K::FixedCombo, numbers(1, 10)},
        {"exchange", "교환", K::Text, {}},
        {"room_s", "룸 갯수", K::Count, {}},
        {"interior", "인테리어", K::Text, {}},
        {"room_top", "총 객실수", K::Count, {}},
        {"pyung_t", "객실당평수(일반실)", K::Count, {}},
        {"pyung_r", "객실당평수(특실)", K::Count, {}},
        {"chunjung", "천정고", K::Count, {}},
        {"upjong", "현업종", K::Text, {}},
        {"jungi", "동력", K::Count, {}},
        {"mul", "공업용수", K::Count, {}},
        {"hmax", "공장높이(최고)", K::Count, {}},
        {"hchma", "공장높이(처마)", K::Count, {}},
        {"gigu", "기계기구", K::Text, {}},
        {"tonsu", "차량진출입톤수", K::Count, {}},
        {"secha", "세 차 기", K::FixedCombo, washers()},
        {"bupi", "탱크용량", K::Count, {}},
        {"bupi_l", "탱크로리", K::Count, {}},
        {"bupi_ea", "포스 대수", K::Count, {}},
        {"jutek", "주택여부", K::FixedCombo, split("주거가능|주거불가능")},
        {"joou_s", "주유기(스텐드)", K::Count, {}},
        {"joou_n", "주유기(N.S)", K::Count, {}},
        {"joou_g", "기타주유기", K::Count, {}},
        {"jimok", "지목", K::FixedCombo,
         split("간척지|공장용지|과수원|나대지|단독용지|답|대지|목장용지|묘지|상업지|섬|임야|잡종지|전|"
               "전원주택지|"
               "휴양용지|기타")},
        {"jehan", "제한사항", K::Text, {}},
        {"line", "지하철호선", K::FixedCombo, {}},
        {"station", "역", K::FixedCombo, {}},
        {"walking", "역에서 …분거리", K::FixedCombo, numbers(1, 10) + split("15|20|25|30")},
        {"special", "매물특징", K::Text, {}},
        {"education", "교육시설", K::Text, {}},
        {"bus", "교통및도로", K::Text, {}},
        {"government", "관공서", K::Text, {}},
        {"life", "생활편의시설", K::Text, {}},
        // seller
        {"uname", "성명", K::Text, {}},
        {"uhome", "집 전화", K::Text, {}},
        {"uhp", "핸드폰", K::Text, {}},
        {"uoffice", "사무실", K::Text, {}},
        {"ufax", "팩스", K::Text, {}},
        {"umoney", "의뢰희망가", K::Money, {}},
        {"ubigo", "기타", K::Text, {}},
    };
    return fields;
}

const Field* catalogued(const QString& column) {
    static const QHash<QString, const Field*> byColumn = [] {
        QHash<QString, const Field*> made;
        for (const Field& f : catalogue())
            made.insert(QString::fromLatin1(f.column), &f);
        return made;
    }();
    return byColumn.value(column);
}

// One type as the registration window shows it. `details` lists its detail fields in form
// order, joined with ", ", each "column", "column=caption" or "column=caption:kind" (kind "text" or "count"
// where the type uses the field differently from its usual input).
struct TypeRow {
    const char* tb;
    const char* name;      // caption and placeholder of the name field
    bool namesFromStore;   // the name box lists the stored names of the type
    const char* areas;     // "first|second", "first" alone where the type has one area
    bool landPanel;        // framoney2
    bool formsFromStore;   // maemultype lists the stored classes
    const char* forms;     // fixed transaction forms, or the classes after the stored ones
    const char* makerFrom; // "store", or the fixed items of `maker`, or ""
    const char* details;
    bool neighbourhood; // 교육시설, 교통및도로, 관공서, 생활편의시설
    const char* ownList;
    const char* serverList;
};

const char* const kForms = "매매|전세|월세|전/월|매/전/월";
const char* const kHouse = "평수|실평";
const char* const kLot = "대지|건물";
const char* const kSingle = "평수";

const TypeRow kTypes[] = {
    {"apt", "아파트명", true, kHouse, false, false, kForms, "store",
     "maker, makedate, remake, dong, sedae, floor, floor_max, opentype, direction, elv, internet, hottype, "
     "room, livingroom, bathroom, fuel, gunmul_bp",
     true,
     "아파트명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 연료, 방향, "
     "승강기, "
     "비고, 검색키워드",
     "아파트명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 총동수, 방, 연료, "
     "방향, "
     "승강기"},
    {"villa", "빌라명", true, kHouse, false, false, kForms, "",
     "makedate, internet, hottype, room, livingroom, bathroom, floor, floor_max, fuel, dong, sedae, "
     "direction, elv, parking=개별 주차대수, room_1, room_2, room_3",
     true,
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "방, 연료, "
     "방향, 승강기, 비고, 검색키워드",
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, 방, "
     "연료, "
     "방향, 승강기, 비고"},
    {"opistel", "오피스텔명", true, kHouse, false, false, kForms, "",
     "makedate, remake, hottype, sedae=총 세대수, floor, floor_max, fuel, direction, elv, internet, "
     "gujo=내부구조, room, livingroom, bathroom, parking=개별 주차대수, yongdo",
     true,
     "오피스텔명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "내부구조, "
     "방, 연료, 용도, 방향, 비고, 검색키워드",
     "오피스텔명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, "
     "내부구조, 방, 연료, 용도, 방향, 승강기, 비고"},
    {"gunmul", "건물명", true, kLot, true, true,
     "오피스(업무.사옥용)|근린상가업소용|상가주택용|병원.학원용|투자수익용|기타", "",
     "landtype, money_lp, dosi=용도/지역, doro, makedate, gujo, gunmul_bp=기준층 면적:text, "
     "remake=리모델링년도:text, hottype, fuel, gsangtae, floor=지하층:count, floor_max=지상층:count, elv_in, "
     "elv_su, magam, parking_ty, parking_d, parking_u, ydo",
     false,
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 건축년도, 주차방식, "
     "지상주차, "
     "지하주차, 연료, 용도, 용도지역, 비고, 검색키워드",
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 주차방식, 지상주차, "
     "지하주차, "
     "연료, 용도, 용도지역, 비고"},
    {"dan", "", false, kLot, true, false, kForms, "",
     "makedate, direction, fuel, dosi, floor=지하층:count, floor_max=지상층:count, gsangtae, room, "
     "livingroom, bathroom, parking=개별 주차대수, magam",
     true,
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, "
     "용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, "
     "비고"},
    {"dagagu", "", false, kLot, true, false, kForms, "",
     "makedate, direction, fuel, dosi, floor=지하층:count, floor_max=지상층:count, magam, room, livingroom, "
     "bathroom, parking_d, parking_u, gsangtae, room_1, room_2, room_3",
     true,
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건축년도, "
     "건물상태, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건물상태, "
     "형태, 비고"},
    {"wonroom", "", false, kSingle, false, false, kForms, "",
     "makedate, direction, fuel, floor, floor_max, elv, room, livingroom, bathroom, parking=개별 주차대수",
     true,
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, "
     "연료, 방향, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, "
     "연료, 방향, 형태, 비고"},
    {"office", "건물명", true, kHouse, false, false, kForms, "",
     "makedate, hottype=냉ㆍ난방방식, internet, floor, floor_max, elv, sangtae=건물 실내외, parking=개별 "
     "주차대수",
     false,
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, "
     "형태, 건물상태, 비고, 검색키워드",
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, "
     "형태, 건물상태, 비고"},
    {"jumpo", "현업종", false, kHouse, false, false, kForms, "store",
     "maker=체인점, hottype=냉ㆍ난방방식, parking=개별 주차대수, floor, floor_max, chair, desk, exchange, "
     "room_s, interior, sisoul=시설집기",
     false,
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, "
     "방, 비고, 검색키워드",
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, "
     "방, 비고"},
    {"bgsang", "상가명", true, kHouse, false, false, kForms, "",
     "makedate, hottype, fuel, floor, floor_max, parking=개별 주차대수, yungdo_n, yungdo_j", false,
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 건축년도, 층수, 주차대수, 연료, "
     "현재용도, "
     "적합용도, 비고, 검색키워드",
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 주차대수, 연료, 현재용도, "
     "적합용도, "
     "비고"},
    {"junwon", "", false, kLot, true, false, kForms, "",
     "makedate, direction, fuel, floor=지하층:count, floor_max=지상층:count, dosi, gsangtae, room, "
     "livingroom, bathroom, parking=개별 주차대수, magam",
     false,
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, "
     "용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, "
     "비고"},
    {"hotel", "호텔명", true, kLot, true, false, kForms, "",
     "makedate, remake=리모델링년도:text, fuel, floor=지하층:count, floor_max=지상층:count, "
     "room=객실수(일반실):count, room_top=객실수(특실), magam, elv_in, elv_su, pyung_t, pyung_r, gsangtae, "
     "parking_ty, parking, doro, sizip, budae",
     false,
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 도로, "
     "주차방식, "
     "지상주차, 지하주차, 연료, 비고, 검색키워드",
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 주차방식, "
     "지상주차, "
     "지하주차, 연료, 비고"},
    {"motel", "모텔명", true, kLot, true, false, kForms, "",
     "makedate, remake=리모델링년도:text, fuel, floor=지하층:count, floor_max=지상층:count, room_top, magam, "
     "parking_ty, parking, gsangtae, elv, doro, sizip, budae",
     false,
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, "
     "지상주차, 지하주차, 건축년도, 연료, 비고, 검색키워드",
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, "
     "지상주차, 지하주차, 연료, 비고"},
    {"sanjang", "", false, kLot, true, false, kForms, "",
     "makedate, remake=리모델링년도:text, fuel, floor=지하층:count, floor_max=지상층:count, room_top=객실수, "
     "parking, gsangtae, sizip, magam",
     false,
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, 건축년도, "
     "비고, "
     "검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, 비고"},
    {"gong", "공장명", true, kLot, true, false, kForms, "",
     "makedate, upjong, gsangtae, floor=지하층:count, floor_max=지상층:count, chunjung, room=기숙사:count, "
     "magam, dosi=용도/지역, jungi, mul, hmax, hchma, gigu, tonsu",
     false,
     "공장명, 현업종, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, "
     "공업용수, 건축년도, 용도지역, 비고, 검색키워드",
     "공장명, 현업종, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, "
     "공업용수, 용도지역, 비고"},
    {"mulru", "", false, kLot, true, false, kForms, "",
     "makedate, dosi=용도/지역, magam, floor=지하층:count, floor_max=지상층:count, doro, chunjung", false,
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 용도지역, 도로, "
     "천정고, 용도, "
     "비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 용도지역, 도로, 천정고, 용도, "
     "비고"},
    {"joouso", "상호명", true, kLot, true, false, kForms, "SK|LG|현대|쌍용|한화|무(폴)",
     "makedate, maker=정유사명(폴), secha, floor=지하층:count, floor_max=지상층:count, bupi, jutek, "
     "dosi=용도/지역, bupi_l, bupi_ea, poss=포스, doro, joou_s, joou_n, joou_g, budae",
     false,
     "상호명, 정유사, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 도로, "
     "건축년도, 포스, "
     "용도지역, 주택여부, 비고, 검색키워드",
     "상호명, 정유사, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 도로, 포스, "
     "용도지역, "
     "주택여부, 비고"},
    {"land", "", false, "대지", false, false, kForms, "",
     "jimok, jehan=구역/지구/종, direction, dosi=용도/지역, doro, landtype, ydo, money_lp", false,
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고, "
     "검색키워드",
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고"},
    {"budongsan", "", false, kSingle, false, true, "", "",
     "internet, floor, floor_max, parking=개별 주차대수, sizip=시설집기, hottype, ydo=추천용도, fuel", true,
     "분류, 평형, 매매가, 융자금, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 실인수가, 연료, 주차대수, "
     "비고, "
     "검색키워드",
     "분류, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 시설비, 월세, 관리비, 실인수가, 연료, 주차대수, "
     "비고"},
};

// The items of `cboTb`, in the order of the rows above.
const char* const kFormLabels =
    "아파트|빌라/다세대|오피스텔|건물|단독주택|다가구주택|원/투/쓰리룸|사무실|점포/업소/상가|"
    "분양(구분)상가|전원/농가/별장|호텔|모텔|여인숙/산장/팬션|공장|물류창고|주유소|토지|기타매물";

// The business types that name a shop (`jumpo`) instead of a stored name.
const char* const kShopTypes =
    "기타잡화|김밥전문점|노래방|단란주점|당구장|대형음식점|대형전시매장|독서실|돈까스전문점|레스토랑|매점|"
    "맥주전문점|무도주점|문구팬시|미용실|민속주점|바(bar)|병원|분식.스낵|사우나|서적.레코드|세계음식점|"
    "아이스크림점|약국|오락.스포츠|우동전문점|유명커피전문점|유흥주점|의류점|일식|전통찻집|제과점|중국요리|"
    "쥬얼리.악세사리|커피카페|테이크아웃|패밀리레스토랑|패스트푸드|편의점.수퍼|퓨전고기집|퓨전포장마차|한식|"
    "한정식|헬스.스포츠|호프|횟집|DVD방(비디오)|PC방";

TypeField fieldOf(const QString& column, FormSection section, const QString& caption = {},
                  std::optional<InputKind> kind = std::nullopt) {
    const Field* f = catalogued(column);
    Q_ASSERT_X(f, "fieldOf", qPrintable(column)); // every column of the rows is catalogued
    TypeField field;
    field.column = column;
    field.section = section;
    field.caption = caption.isEmpty() ? QString::fromUtf8(f->caption) : caption;
    field.kind = kind.value_or(f->kind);
    if (field.kind == InputKind::FixedCombo || field.kind == InputKind::StoredCombo)
        field.items =
            column == QLatin1String("makedate") ? buildingYears(QDate::currentDate().year()) : f->items;
    return field;
}

TypeField detailOf(const QString& token) {
    const qsizetype eq = token.indexOf(QLatin1Char('='));
    const QString column = eq < 0 ? token : token.left(eq);
    QString caption = eq < 0 ? QString() : token.mid(eq + 1);
    std::optional<InputKind> kind;
    if (const qsizetype colon = caption.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        kind = caption.mid(colon + 1) == QLatin1String("count") ? InputKind::Count : InputKind::Text;
        caption.truncate(colon);
    }
    return fieldOf(column, FormSection::Detail, caption, kind);
}

QList<TypeField> fieldsOf(const TypeRow& row, const TypeRules& rules) {
    QList<TypeField> fields;
    const auto add = [&](FormSection section, const char* columns) {
        for (const QString& column : split(columns, " "))
            fields << fieldOf(column, section);
    };
    fields << fieldOf(QStringLiteral("maemultype"), FormSection::General, rules.formCaption(),
                      rules.formsFromStore ? InputKind::StoredCombo : InputKind::FixedCombo);
    fields.last().items = rules.forms;
    add(FormSection::General, "ming jubsu subid addr1 addr2 addr3 addr4 addr5");
    if (rules.hasName()) {
        fields << fieldOf(QStringLiteral("cboname"), FormSection::General, rules.nameCaption,
                          rules.namesFromStore ? InputKind::StoredCombo : InputKind::FixedCombo);
        fields.last().items = rules.nameItems;
    }
    fields << fieldOf(QStringLiteral("pyung"), FormSection::General, rules.firstArea);
    if (rules.hasSecondArea())
        fields << fieldOf(QStringLiteral("pyung_use"), FormSection::General, rules.secondArea);
    add(FormSection::General, "keyword");
    add(FormSection::Sale,
        "money_m money_y money_mb money_mw money_sg money_ys money_bn money_g money_p money_yeja");
    add(FormSection::Lease, "money_jb money_b money_w money_s gaeyak");
    if (rules.landPanel)
        add(FormSection::Land, "money_gp money_lp");
    add(FormSection::Object,
        rules.tb == QLatin1String("land") ? "maemaepart mbigo" : "maemaepart mbigo ipjuday");
    for (const QString& token : split(row.details, ", ")) {
        TypeField detail = detailOf(token);
        if (detail.column == QLatin1String("maker")) {
            const QString from = QString::fromUtf8(row.makerFrom);
            detail.kind = from == QLatin1String("store") ? InputKind::StoredCombo : InputKind::FixedCombo;
            detail.items = from == QLatin1String("store") ? QStringList() : split(row.makerFrom);
        }
        // The land panel holds the official land price of the types that have one.
        if (!(rules.landPanel && detail.column == QLatin1String("money_lp")))
            fields << detail;
    }
    add(FormSection::Detail, "line station walking");
    if (row.neighbourhood)
        add(FormSection::Detail, "education bus government life");
    add(FormSection::Detail, "special");
    add(FormSection::Seller, "uname uhome uhp uoffice ufax umoney ubigo");
    return fields;
}

TypeRules rulesOf(const TypeRow& row) {
    TypeRules rules;
    rules.tb = QString::fromLatin1(row.tb);
    rules.nameCaption = QString::fromUtf8(row.name);
    rules.namesFromStore = row.namesFromStore;
    if (rules.tb == QLatin1String("jumpo"))
        rules.nameItems = split(kShopTypes);
    const QStringList areas = split(row.areas);
    rules.firstArea = areas.value(0);
    rules.secondArea = areas.value(1);
    rules.landPanel = row.landPanel;
    rules.formsFromStore = row.formsFromStore;
    rules.forms = split(row.forms);
    rules.ownList = split(row.ownList, ", ");
    rules.serverList = split(row.serverList, ", ");
    rules.fields = fieldsOf(row, rules);
    return rules;
}

const QHash<QString, TypeRules>& allRules() {
    static const QHash<QString, TypeRules> rules = [] {
        QHash<QString, TypeRules> made;
        const QStringList labels = split(kFormLabels);
        int at = 0;
        for (const TypeRow& row : kTypes) {
            TypeRules r = rulesOf(row);
            r.formLabel = labels.value(at++);
            made.insert(r.tb, r);
        }
        return made;
    }();
    return rules;
}

} // namespace

QString TypeRules::formCaption() const {
    return formsFromStore ? QStringLiteral("분류") : QStringLiteral("형태");
}

const TypeField* TypeRules::field(const QString& column) const {
    for (const TypeField& f : fields)
        if (f.column == column)
            return &f;
    return nullptr;
}

QList<TypeField> TypeRules::fieldsIn(FormSection section) const {
    QList<TypeField> in;
    for (const TypeField& f : fields)
        if (f.section == section)
            in << f;
    return in;
}

QStringList TypeRules::publishedColumns() const {
    QStringList columns;
    for (const TypeField& f : fields) {
        // The office's own bookkeeping, the exact address and the seller stay in the office.
        static const QStringList kept{QStringLiteral("ming"),       QStringLiteral("jubsu"),
                                      QStringLiteral("subid"),      QStringLiteral("addr4"),
                                      QStringLiteral("addr5"),      QStringLiteral("keyword"),
                                      QStringLiteral("maemultype"), QStringLiteral("maemaepart")};
        if (f.section == FormSection::Seller || kept.contains(f.column))
            continue;
        columns << f.column;
    }
    columns << QStringLiteral("post");
    return columns;
}

QList<const TypeRules*> typeRulesInFormOrder() {
    QList<const TypeRules*> ordered;
    for (const TypeRow& row : kTypes)
        ordered << typeRules(QString::fromLatin1(row.tb));
    return ordered;
}

const TypeRules* typeRules(const QString& tb) {
    const auto it = allRules().constFind(tb);
    return it == allRules().constEnd() ? nullptr : &it.value();
}

const QList<TypeField>& allFormFields() {
    static const QList<TypeField> fields = [] {
        QList<TypeField> all;
        QStringList seen;
        for (const TypeRow& row : kTypes)
            for (const TypeField& f : typeRules(QString::fromLatin1(row.tb))->fields) {
                if (seen.contains(f.column))
                    continue;
                seen << f.column;
                const Field* usual = catalogued(f.column);
                TypeField field = f;
                field.caption = QString::fromUtf8(usual->caption);
                field.kind = usual->kind;
                all << field;
            }
        return all;
    }();
    return fields;
}

QString anyCaptionOf(const QString& column) {
    const Field* f = catalogued(column);
    return f ? QString::fromUtf8(f->caption) : QString();
}

QString transactionOfForm(const QString& form) {
    if (form == QStringLiteral("전세"))
        return QStringLiteral("J");
    if (form == QStringLiteral("월세") || form == QStringLiteral("전/월"))
        return QStringLiteral("W");
    return QStringLiteral("M");
}

QStringList registrationRegions() {
    return split("서울|인천|경기|강원|경남|경북|전남|전북|충남|충북|광주|대구|대전|부산|울산|제주");
}

QStringList buildingYears(int currentYear) {
    QStringList years;
    for (int year = currentYear; year >= 1960; --year)
        years << QString::number(year);
    return years;
}

} // namespace teran
