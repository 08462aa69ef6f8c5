#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace teran {

class WhereBuilder;

// How a typed text is matched: at the start, anywhere, or at the end of the column.
enum class TextMatch { Starts, Contains, Ends };
// Several words typed with commas: all of them, or any one.
enum class WordJoin { All, Any };
// Which listings of the own list: all, the listing box (everything but the archive), the archive.
enum class BoxChoice { All, Active, Archived };
enum class DateColumn { Changed, Registered, Expires };

template <typename T> struct Bounds {
    std::optional<T> from;
    std::optional<T> to;
    bool operator==(const Bounds&) const = default;
};

// The criteria of the comprehensive search (종합검색) beyond those of the search panel: the
// address down to the unit, the owner's details, a range of every amount, floors, the office's
// bookkeeping and dates. Every value is bound; an empty text or unset bound adds nothing.
struct DetailedSearch {
    BoxChoice box = BoxChoice::Active; // own lists only
    QString lot;                       // 지번 (addr4)
    TextMatch lotMatch = TextMatch::Starts;
    QString unit; // 호수 (addr5)
    TextMatch unitMatch = TextMatch::Starts;
    // The owner's details: the office's own list only, the server never holds them.
    QString ownerName, ownerHome, ownerFax, ownerMobile, ownerOffice, ownerMoney;
    QString ownerRemark;
    TextMatch ownerRemarkMatch = TextMatch::Contains;
    Bounds<qint64> sale, takeover, lease, deposit, rent, combined; // 만원
    Bounds<double> yield;                                          // %
    Bounds<double> area, usable;                                   // 평
    Bounds<int> totalFloors;                                       // floor_max
    QString floors;                                                // "1,2,지하": floor contains each
    WordJoin floorsJoin = WordJoin::Any;
    QString staff; // subid, exactly
    QString progress, intake, brokerKind, form, remark;
    std::optional<DateColumn> dateColumn; // the date range applies only when chosen
    QDate dateFrom, dateTo;
    QString keywords; // "역세권,남향"
    WordJoin keywordsJoin = WordJoin::Any;

    bool operator==(const DetailedSearch&) const = default;
};

// Appends the pieces of the criteria; `serverList` leaves out what the server does not keep.
void addDetailedSearch(WhereBuilder& b, const DetailedSearch& d, bool serverList);

} // namespace teran
