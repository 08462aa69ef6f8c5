#include "ListColumnSets.h"

#include "ListSort.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"

#include <QHash>

#include <algorithm>

namespace teran {

namespace {

// The parts of the lists around the type's columns. Lower-case captions are helper values.
const char* const kOwnHead =
    "state, 번호, hitadd, hitmem, 진행상태, 접수매체, 사진, 시도, 군구, 읍면동, 지번, 호수";
const char* const kOwnTail = "담당자, 연락처, 기타, 수정일, 등록일, 만기일, 공유";
const char* const kServerHead = "table_idx, 번호, subid, 사진, 시도, 군구, 읍면동";
const char* const kServerTail = "연락처, 수정일";
const char* const kOwnAll =
    "state, 번호, hitadd, hitmem, 종목, 진행상태, 사진, 시도, 군구, 읍면동, 지번, 호수, "
    "평수, 층수, 매매가, 융자금, 전세금, 합산금, 월세금, 월세, 관리비, 시설비, 방갯수, "
    "건축년도, 비고, 검색키워드, 연락처, 수정일, 등록일, 만료일, 담당자, 기타, 공유";
const char* const kServerAll =
    "table_idx, 번호, subid, 종목, 사진, 시도, 군구, 읍면동, 평수, 층수, 매매가, 융자금, "
    "전세금, 합산금, 월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, "
    "수정일, 담당자";
const char* const kGroup =
    "번호, 종목, 분류, 진행상태, 시도, 군구, 읍면동, 지번, 호수, 평수, 층수, 매매가, 융자금, "
    "월세금, 월세, 관리비, 시설비, 방갯수, 건축년도, 비고, 연락처, 수정일, 등록일, 만료일, "
    "담당자, 기타, 공유";

// The sharing column came after the layout files of the own lists: it ends each own set and is
// shown next to the number.
const char* const kSharing = "공유";
const char* const kSharingShownAfter = "번호";

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
    {"거래", "ty", CellFormat::Transaction},
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
    {kSharing, "state", CellFormat::Sharing},
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
    // The name column is captioned as the type names it.
    static const CaptionSource name = {"", "cboname", CellFormat::Text};
    if (const TypeRules* rules = typeRules(tb); rules && rules->nameCaption == caption)
        return &name;
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
    if (caption == sharingCaption())
        column.shownAfter = QString::fromUtf8(kSharingShownAfter);
    return column;
}

ListColumnSet build(const QStringList& captions, const QString& tb, ListKind kind) {
    ListColumnSet set;
    set.reserve(captions.size());
    for (const QString& caption : captions)
        set.append(columnFor(caption, tb, kind));
    return set;
}

ListColumnSet buildSet(ListKind kind, const QString& tb) {
    if (kind == ListKind::Group)
        return build(split(kGroup), {}, kind);
    const bool server = isServerList(kind);
    const TypeRules* type = isAllTypes(tb) ? nullptr : typeRules(tb);
    if (!type)
        return build(split(server ? kServerAll : kOwnAll), {}, kind);
    const QStringList captions = server ? split(kServerHead) + type->serverList + split(kServerTail)
                                        : split(kOwnHead) + type->ownList + split(kOwnTail);
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
            for (const QString& tb : propertyTypeCodes())
                made.insert(setKey(k, tb), buildSet(k, tb));
        }
        return made;
    }();
    const auto it = sets.constFind(setKey(kind, tb));
    return it != sets.constEnd() ? it.value() : sets.value(setKey(kind, {}));
}

ListColumnSet sheetColumnsOf(ListKind kind, const QString& tb) {
    ListColumnSet set = ListColsByTb(kind, tb);
    const auto at = [&](auto matches) {
        return int(std::find_if(set.cbegin(), set.cend(), matches) - set.cbegin());
    };
    int type = at([](const ListColumn& c) { return c.format == CellFormat::TypeLabel; });
    if (type == set.size()) {
        type = at([](const ListColumn& c) { return !c.hidden; });
        set.insert(type, columnFor(QStringLiteral("종목"), tb, kind));
    }
    if (at([](const ListColumn& c) { return c.format == CellFormat::Transaction; }) == set.size())
        set.insert(type + 1, columnFor(QStringLiteral("거래"), tb, kind));
    return set;
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

QString sharingCaption() {
    return QString::fromUtf8(kSharing);
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
