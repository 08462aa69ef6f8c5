#include "ListSort.h"

#include <QStringList>

namespace teran {

namespace {

const QString kAsc = QStringLiteral("asc");
const QString kDesc = QStringLiteral("desc");

struct SortEntry {
    const char* captions; // joined with ", "
    const char* tag;
};

// Header captions of the own list and what they sort by.
const SortEntry kOwnSorts[] = {
    {"아파트명, 빌라명, 오피스텔명, 건물명, 상가명, 현업종, 호텔명, 모텔명, 공장명, 상호명", "cboname"},
    {"지목", "jimok"},
    {"구분, 공유", "state"},
    {"번호", "table_idx"},
    {"사진", "imgname1"},
    {"매매가", "money_m"},
    {"실인수가", "money_sg"},
    {"융자금", "money_y"},
    {"전세금", "money_jb"},
    {"합산금", "hapsan"},
    {"월세금, 보증금", "money_b"},
    {"관리비", "money_g"},
    {"시설비", "money_s"},
    {"수익률", "money_ys"},
    {"월세", "money_w"},
    {"평형, 평수, 대지", "pyung"},
    {"실평, 건물", "pyung_use"},
    {"층수", "floor"},
    {"방, 방갯수", "room"},
    {"건축년도", "makedate"},
    {"수정일", "showday"},
    {"등록일", "writeday"},
    // the own list of one type calls the end date 만기일, the list of all types 만료일
    {"만료일, 만기일", "offday"},
    {"시도, 군구, 읍면동, 지번, 호수", "address"},
    {"종목", "tb"},
    {"분류", "ty"},
    {"진행상태", "ming"},
    {"접수매체", "jubsu"},
};

// The shared and club lists sort only by the address, the picture and the floor.
const SortEntry kServerSorts[] = {
    {"시도, 군구, 읍면동, 지번, 호수", "address"},
    {"사진", "imgname1"},
    {"층수", "floor"},
};

// Captions whose column is not the one the caption names elsewhere.
struct TypeSort {
    const char* tb;
    const char* caption;
    const char* tag;
};

const TypeSort kTypeSorts[] = {
    {"gong", "현업종", "upjong"},
    {"budongsan", "분류", "maemultype"},
};

template <std::size_t N> QString tagIn(const SortEntry (&entries)[N], const QString& caption) {
    for (const SortEntry& e : entries) {
        const QStringList captions = QString::fromUtf8(e.captions).split(QStringLiteral(", "));
        if (captions.contains(caption))
            return QString::fromLatin1(e.tag);
    }
    return {};
}

template <std::size_t N> QStringList tagsOf(const SortEntry (&entries)[N]) {
    QStringList tags;
    for (const SortEntry& e : entries)
        tags << QString::fromLatin1(e.tag);
    return tags;
}

bool isKnownTag(ListKind kind, const QString& tag) {
    static const QStringList server = tagsOf(kServerSorts);
    return (isServerList(kind) ? server : ownListSortTags()).contains(tag);
}

} // namespace

QString unsortableFieldText() {
    return QStringLiteral("정렬이 되지 않는 필드 입니다.");
}

QString sortTagFor(ListKind kind, const QString& caption, const QString& tb) {
    if (isServerList(kind))
        return tagIn(kServerSorts, caption);
    for (const TypeSort& t : kTypeSorts)
        if (tb == QLatin1String(t.tb) && caption == QString::fromUtf8(t.caption))
            return QString::fromLatin1(t.tag);
    return tagIn(kOwnSorts, caption);
}

std::optional<SortState> clickHeader(ListKind kind, const SortState& current, const QString& caption,
                                     const QString& tb) {
    const QString tag = sortTagFor(kind, caption, tb);
    if (tag.isEmpty())
        return std::nullopt;
    if (tag != current.tag)
        return SortState{tag, kDesc};
    return SortState{tag, current.direction == kAsc ? kDesc : kAsc};
}

QString orderBySql(ListKind kind, const SortState& sort, const QString& alias) {
    const bool known = isKnownTag(kind, sort.tag);
    const QString direction =
        known && sort.direction == kAsc ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QStringList keys;
    if (known)
        keys = listingSortKeys(sort.tag, sideOf(kind), alias);
    else if (isServerList(kind))
        keys << alias + QStringLiteral("sortday");
    const QString number = alias + QStringLiteral("table_idx");
    if (!keys.contains(number))
        keys << number;
    for (QString& key : keys)
        key += direction;
    return QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

} // namespace teran
