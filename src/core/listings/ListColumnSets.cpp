#include "ListColumnSets.h"

#include "ListSort.h"
#include "session/PropertyTypes.h"

#include <QHash>

namespace teran {

namespace {

// Captions of one list, joined with ", ": the grid shows them in this order.
struct TypeColumns {
    const char* tb;
    const char* own;    // the own list
    const char* server; // the shared and club lists
};

// Between the address and the tail, each type shows its own columns.
const TypeColumns kTypeColumns[] = {
    {"apt",
     "아파트명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 연료, 방향, "
     "승강기, 비고, 검색키워드",
     "아파트명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 총동수, 방, 연료, "
     "방향, "
     "승강기"},
    {"villa",
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "방, 연료, 방향, 승강기, 비고, 검색키워드",
     "빌라명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, 방, "
     "연료, "
     "방향, 승강기, 비고"},
    {"opistel",
     "오피스텔명, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 건축년도, "
     "내부구조, 방, 연료, 용도, 방향, 비고, 검색키워드",
     "오피스텔명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 총동수, "
     "내부구조, 방, 연료, 용도, 방향, 승강기, 비고"},
    {"dan",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, 용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, "
     "비고"},
    {"wonroom",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, 연료, 방향, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 방, 주차대수, 건축년도, 건물상태, "
     "승강기, "
     "연료, 방향, 형태, 비고"},
    {"dagagu",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건축년도, 건물상태, 형태, 비고, 검색키워드",
     "평형, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 주차대수, 방, 연료, 방향, 승강기, "
     "건물상태, "
     "형태, 비고"},
    {"gunmul",
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 건축년도, 주차방식, "
     "지상주차, 지하주차, 연료, 용도, 용도지역, 비고, 검색키워드",
     "건물명, 대지, 건물, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 도로, 주차방식, 지상주차, "
     "지하주차, "
     "연료, 용도, 용도지역, 비고"},
    {"junwon",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "건축년도, 용도지역, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 연료, 방향, 주차대수, "
     "용도지역, "
     "비고"},
    {"gong",
     "공장명, 현업종, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, 공업용수, 건축년도, 용도지역, 비고, 검색키워드",
     "공장명, 현업종, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 천정고, 차량, "
     "동력, "
     "공업용수, 용도지역, 비고"},
    {"joouso",
     "상호명, 정유사, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 도로, "
     "건축년도, 포스, 용도지역, 주택여부, 비고, 검색키워드",
     "상호명, 정유사, 대지, 건물, 전세금, 합산금, 매매가, 융자금, 월세금, 월세, 수익률, 층수, 도로, 포스, "
     "용도지역, "
     "주택여부, 비고"},
    {"bgsang",
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 건축년도, 층수, 주차대수, 연료, "
     "현재용도, 적합용도, 비고, 검색키워드",
     "상가명, 평형, 실평, 매매가, 융자금, 월세금, 월세, 관리비, 수익률, 층수, 주차대수, 연료, 현재용도, "
     "적합용도, "
     "비고"},
    {"jumpo",
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, 방, 비고, 검색키워드",
     "현업종, 평형, 실평, 매매가, 융자금, 실인수가, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 층수, "
     "주차대수, "
     "방, 비고"},
    {"mulru",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 용도지역, 도로, "
     "천정고, 용도, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 용도지역, 도로, 천정고, 용도, "
     "비고"},
    {"land",
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고, "
     "검색키워드",
     "지목, 대지, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 용도지역, 도로, 방향, 용도, 비고"},
    {"office",
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, 형태, 건물상태, 비고, 검색키워드",
     "건물명, 평형, 실평, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 층수, 주차대수, 승강기, "
     "건축년도, "
     "형태, 건물상태, 비고"},
    {"hotel",
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 건축년도, 방, 도로, "
     "주차방식, 지상주차, 지하주차, 연료, 비고, 검색키워드",
     "호텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 주차방식, "
     "지상주차, "
     "지하주차, 연료, 비고"},
    {"motel",
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, 지상주차, 지하주차, 건축년도, 연료, 비고, 검색키워드",
     "모텔명, 대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 도로, 승강기, "
     "주차방식, "
     "지상주차, 지하주차, 연료, 비고"},
    {"sanjang",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, "
     "건축년도, 비고, 검색키워드",
     "대지, 건물, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 수익률, 층수, 방, 주차대수, 연료, 비고"},
    {"budongsan",
     "분류, 평형, 매매가, 융자금, 시설비, 전세금, 합산금, 월세금, 월세, 관리비, 실인수가, 연료, "
     "주차대수, 비고, 검색키워드",
     "분류, 평형, 매매가, 융자금, 전세금, 합산금, 월세금, 시설비, 월세, 관리비, 실인수가, 연료, 주차대수, "
     "비고"},
};

// The parts of the lists around the type's columns. Lower-case captions are helper values.
const char* const kOwnHead =
    "state, 번호, hitadd, hitmem, 진행상태, 접수매체, 사진, 시도, 군구, 읍면동, 지번, 호수";
const char* const kOwnTail = "담당자, 연락처, 기타, 수정일, 등록일, 만기일";
const char* const kServerHead = "table_idx, 번호, subid, 사진, 시도, 군구, 읍면동";
const char* const kServerTail = "연락처, 수정일";
const char* const kOwnAll =
    "state, 번호, hitadd, hitmem, 종목, 진행상태, 사진, 시도, 군구, 읍면동, 지번, 호수, "
    "평수, 층수, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 시설비, 방갯수, "
    "건축년도, 비고, 검색키워드, 연락처, 수정일, 등록일, 만료일, 담당자, 기타";
const char* const kServerAll =
    "table_idx, 번호, subid, 종목, 사진, 시도, 군구, 읍면동, 평수, 층수, 매매가, 융자금, "
    "전세금, 합산금, 월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, "
    "수정일, 담당자";
const char* const kGroup =
    "번호, 종목, 분류, 진행상태, 시도, 군구, 읍면동, 지번, 호수, 평수, 층수, 매매가, 융자금, "
    "월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, 수정일, 등록일, 만료일, "
    "담당자, 기타";

// What a caption reads and how it is shown.
struct CaptionSource {
    const char* caption;
    const char* raw; // joined with ","
    CellFormat format;
};

const CaptionSource kSources[] = {
    {"state", "state", CellFormat::Text},
    {"hitadd", "hitadd", CellFormat::Text},
    {"hitmem", "hitmem", CellFormat::Text},
    {"table_idx", "table_idx", CellFormat::Text},
    {"subid", "subid", CellFormat::Text},
    {"종목", "tb,ty", CellFormat::TypeLabel},
    {"진행상태", "ming", CellFormat::Text},
    {"접수매체", "jubsu", CellFormat::Text},
    {"사진", "imgname1,imgname2", CellFormat::Photo},
    {"시도", "addr1", CellFormat::Text},
    {"군구", "addr2", CellFormat::Text},
    {"읍면동", "addr3", CellFormat::Text},
    {"지번", "addr4", CellFormat::Text},
    {"호수", "addr5", CellFormat::Text},
    {"평수", "pyung,pyung_use", CellFormat::Pair},
    {"층수", "floor,floor_max", CellFormat::Pair},
    {"아파트명", "cboname", CellFormat::Text},
    {"빌라명", "cboname", CellFormat::Text},
    {"오피스텔명", "cboname", CellFormat::Text},
    {"건물명", "cboname", CellFormat::Text},
    {"상가명", "cboname", CellFormat::Text},
    {"호텔명", "cboname", CellFormat::Text},
    {"모텔명", "cboname", CellFormat::Text},
    {"공장명", "cboname", CellFormat::Text},
    {"상호명", "cboname", CellFormat::Text},
    {"현업종", "cboname", CellFormat::Text},
    {"평형", "pyung", CellFormat::Number},
    {"대지", "pyung", CellFormat::Number},
    {"건물", "pyung_use", CellFormat::Number},
    {"실평", "pyung_use", CellFormat::Number},
    {"합산금", "money_w,money_b", CellFormat::Combined},
    {"매매가", "money_m", CellFormat::Amount},
    {"융자금", "money_y", CellFormat::Amount},
    {"전세금", "money_jb", CellFormat::Amount},
    {"월세금", "money_b", CellFormat::Amount},
    {"월세", "money_w", CellFormat::Amount},
    {"관리비", "money_g", CellFormat::Amount},
    {"시설비", "money_s", CellFormat::Amount},
    {"실인수가", "money_sg", CellFormat::Amount},
    {"수익률", "money_ys", CellFormat::Yield},
    {"총동수", "dong", CellFormat::Number},
    {"방", "room", CellFormat::Number},
    {"방갯수", "room", CellFormat::Number},
    {"건축년도", "makedate", CellFormat::Text},
    {"연료", "fuel", CellFormat::Text},
    {"방향", "direction", CellFormat::Text},
    {"승강기", "elv", CellFormat::Text},
    {"내부구조", "gujo", CellFormat::Text},
    {"용도", "ydo", CellFormat::Text},
    {"용도지역", "dosi", CellFormat::Text},
    {"주차방식", "parking_ty", CellFormat::Text},
    {"지상주차", "parking_u", CellFormat::Number},
    {"지하주차", "parking_d", CellFormat::Number},
    {"주차대수", "parking", CellFormat::Number},
    {"건물상태", "sangtae,gsangtae", CellFormat::BuildingState},
    {"지목", "jimok", CellFormat::Text},
    {"도로", "doro", CellFormat::Text},
    {"동력", "jungi", CellFormat::Number},
    {"공업용수", "mul", CellFormat::Number},
    {"천정고", "chunjung", CellFormat::Number},
    {"정유사", "maker", CellFormat::Text},
    {"주택여부", "jutek", CellFormat::Text},
    {"포스", "poss", CellFormat::Text},
    {"차량", "tonsu", CellFormat::Number},
    {"현재용도", "yungdo_n", CellFormat::Text},
    {"적합용도", "yungdo_j", CellFormat::Text},
    {"형태", "maemultype", CellFormat::Text},
    {"분류", "maemultype", CellFormat::Text},
    {"비고", "mbigo", CellFormat::Text},
    {"검색키워드", "keyword", CellFormat::Text},
    {"기타", "ubigo", CellFormat::Text},
    {"등록일", "writeday", CellFormat::Date},
    {"만기일", "offday", CellFormat::Date},
    {"만료일", "offday", CellFormat::Date},
};

// Captions whose column depends on the type.
struct TypeSource {
    const char* tb;
    CaptionSource source;
};

const TypeSource kTypeSources[] = {
    {"gong", {"현업종", "upjong", CellFormat::Text}},
    {"opistel", {"용도", "yongdo", CellFormat::Text}},
    {"dagagu", {"평형", "pyung,pyung_use", CellFormat::Pair}},
    {"dagagu", {"주차대수", "parking,parking_d,parking_u", CellFormat::Parking}},
};

// Captions whose column depends on the store (own or server row).
struct SideSource {
    const char* caption;
    CaptionSource local;
    CaptionSource server;
};

const SideSource kSideSources[] = {
    {"번호", {"", "table_idx", CellFormat::Text}, {"", "sub_idx", CellFormat::Text}},
    {"연락처",
     {"", "opid,uhome,uhp,uoffice", CellFormat::OwnerPhones},
     {"", "subid", CellFormat::OfficePhones}},
    {"수정일", {"", "showday", CellFormat::DateTime}, {"", "showday", CellFormat::Date}},
    {"담당자", {"", "subid", CellFormat::Text}, {"", "subid", CellFormat::OfficeAgent}},
};

const CaptionSource kGroupTransaction = {"분류", "ty", CellFormat::Transaction};

const char* const kRightAligned =
    "사진, 시도, 층수, 번호, 호수, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, "
    "실인수가, 시설비, 대지, 건물, 평형, 실평, 수익률";

QStringList split(const char* joined, const char* separator = ", ") {
    return QString::fromUtf8(joined).split(QString::fromLatin1(separator), Qt::SkipEmptyParts);
}

const CaptionSource* findSource(const QString& caption, const QString& tb, ListKind kind) {
    if (kind == ListKind::Group && caption == QStringLiteral("분류"))
        return &kGroupTransaction;
    for (const SideSource& s : kSideSources)
        if (caption == QString::fromUtf8(s.caption))
            return isServerList(kind) ? &s.server : &s.local;
    for (const TypeSource& t : kTypeSources)
        if (tb == QLatin1String(t.tb) && caption == QString::fromUtf8(t.source.caption))
            return &t.source;
    for (const CaptionSource& s : kSources)
        if (caption == QString::fromUtf8(s.caption))
            return &s;
    return nullptr;
}

bool isHelperCaption(const QString& caption) {
    return !caption.isEmpty() && caption.at(0).isLower();
}

ListColumn columnFor(const QString& caption, const QString& tb, ListKind kind) {
    const CaptionSource* source = findSource(caption, tb, kind);
    Q_ASSERT_X(source, "columnFor", qPrintable(caption)); // every caption of the tables has a source
    ListColumn column;
    column.caption = caption;
    if (source) {
        column.raw = split(source->raw, ",");
        column.format = source->format;
    }
    column.rightAligned = isRightAlignedCaption(caption);
    column.hidden = isHelperCaption(caption);
    column.sortTag = column.hidden ? QString() : sortTagFor(kind, caption, tb);
    return column;
}

ListColumnSet build(const QStringList& captions, const QString& tb, ListKind kind) {
    ListColumnSet set;
    set.reserve(captions.size());
    for (const QString& caption : captions)
        set.append(columnFor(caption, tb, kind));
    return set;
}

const TypeColumns* findTypeColumns(const QString& tb) {
    for (const TypeColumns& t : kTypeColumns)
        if (tb == QLatin1String(t.tb))
            return &t;
    return nullptr;
}

ListColumnSet buildSet(ListKind kind, const QString& tb) {
    if (kind == ListKind::Group)
        return build(split(kGroup), {}, kind);
    const bool server = isServerList(kind);
    const TypeColumns* type = isAllTypes(tb) ? nullptr : findTypeColumns(tb);
    if (!type)
        return build(split(server ? kServerAll : kOwnAll), {}, kind);
    const QStringList captions = server ? split(kServerHead) + split(type->server) + split(kServerTail)
                                        : split(kOwnHead) + split(type->own) + split(kOwnTail);
    return build(captions, tb, kind);
}

QString setKey(ListKind kind, const QString& tb) {
    return QString::number(int(kind)) + QLatin1Char(':') + (kind == ListKind::Group ? QString() : tb);
}

} // namespace

bool isServerList(ListKind kind) {
    return kind == ListKind::Shared || kind == ListKind::Club;
}

ListingSide sideOf(ListKind kind) {
    return isServerList(kind) ? ListingSide::Server : ListingSide::Local;
}

bool isAllTypes(const QString& tb) {
    return tb.isEmpty() || tb == QLatin1String("all");
}

ListColumnSet ListColsByTb(ListKind kind, const QString& tb) {
    // Every set is made once: the lists ask for one on every search.
    static const QHash<QString, ListColumnSet> sets = [] {
        QHash<QString, ListColumnSet> made;
        for (ListKind k : {ListKind::Own, ListKind::Group, ListKind::Shared, ListKind::Club}) {
            made.insert(setKey(k, {}), buildSet(k, {}));
            for (const TypeColumns& t : kTypeColumns)
                made.insert(setKey(k, QString::fromLatin1(t.tb)), buildSet(k, QString::fromLatin1(t.tb)));
        }
        return made;
    }();
    const auto it = sets.constFind(setKey(kind, tb));
    return it != sets.constEnd() ? it.value() : sets.value(setKey(kind, {}));
}

QStringList captionsOf(const ListColumnSet& columns) {
    QStringList captions;
    for (const ListColumn& c : columns)
        captions << c.caption;
    return captions;
}

QStringList rawColumnsOf(const ListColumnSet& columns) {
    QStringList raw;
    for (const ListColumn& c : columns)
        for (const QString& name : c.raw)
            if (!raw.contains(name))
                raw << name;
    return raw;
}

bool isRightAlignedCaption(const QString& caption) {
    static const QStringList captions = split(kRightAligned);
    return captions.contains(caption);
}

LayoutKind layoutKindFor(ListKind kind, const QString& tb) {
    const bool all = isAllTypes(tb);
    switch (kind) {
    case ListKind::Own:
        return all ? LayoutKind::OwnListAll : LayoutKind::OwnListType;
    case ListKind::Group:
        return LayoutKind::OwnListGroup;
    case ListKind::Shared:
        return all ? LayoutKind::SharedListAll : LayoutKind::SharedListType;
    case ListKind::Club:
        return all ? LayoutKind::ClubAll : LayoutKind::ClubType;
    }
    return LayoutKind::OwnListAll;
}

} // namespace teran
