#pragma once

#include "DetailedSearch.h"
#include "ListColumnSets.h"
#include "core/session/SettingsStore.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace teran {

// The free field chosen in the search panel's `s_gita` box.
enum class FreeField {
    None,
    Unit,       // 호수: addr5
    Lot,        // 지번: addr4
    Remark,     // 비고: mbigo
    Seller,     // 매도자: uname
    Phone,      // 전화번호: uhome, uoffice, uhp, ufax
    Other,      // 기타: ubigo
    BrokerKind, // 중개구분: maemaepart
    Intake,     // 접수매체: jubsu
};

// The entry of `s_gita` with this caption; None for anything else.
FreeField freeFieldFromCaption(const QString& caption);

// The transaction filter of the search panel, by the index of its combo box.
enum TransactionFilter : int {
    AnyTransaction = 0,
    SaleOnly = 1,        // money_m <> 0
    LeaseOnly = 2,       // money_jb <> 0
    MonthlyOnly = 3,     // money_b <> 0 or money_w <> 0
    AnyLease = 4,        // lease or monthly rent
    CombinedNonZero = 5, // money_w*100+money_b <> 0
    TakeoverOnly = 6,    // money_sg <> 0
};

// The search inputs of the main window and the list window. Empty texts and unset numbers add
// nothing to the filter.
struct ListFilter {
    QString tb;          // a type code, or "" / "all" for every type (chkSearchAll)
    int transaction = 0; // TransactionFilter; anything outside 0..6 counts as 0
    QString progress;    // 진행상태
    QString keyword;     // 검색키워드
    std::optional<int> roomsFrom;
    std::optional<int> roomsTo;
    // On the column of the chosen transaction: 1 sale, 2 lease, 3 monthly deposit, 4 lease or
    // monthly deposit, 5 combined, 6 takeover; without a transaction the range is not applied.
    std::optional<qint64> amountFrom;
    std::optional<qint64> amountTo;
    std::optional<qint64> rentFrom; // 월세
    std::optional<qint64> rentTo;
    std::optional<double> areaFrom; // 평
    std::optional<double> areaTo;
    std::optional<double> usableFrom; // 실평
    std::optional<double> usableTo;
    QList<int> numbers; // 번호: table_idx of own listings, sub_idx of server ones
    QString addr1;
    QString addr2;
    QString addr3;
    FreeField freeField = FreeField::None;
    QString freeValue;
    QString name; // the name box (`cboName`), on the type's name column
    // Own lists only.
    bool archive = false;          // the archive tab: state 2 only, else everything but state 2
    std::optional<int> recentDays; // only rows changed (or registered) within N days
    AgeDate recentBy = AgeDate::Changed;
    // The comprehensive search's criteria; its choice of box replaces the archive tab.
    std::optional<DetailedSearch> detailed;

    bool operator==(const ListFilter&) const = default;
};

// Whether a filter asks for nothing but a type and the tab (archive or not): the plain list.
bool isPlain(const ListFilter& f);

// Number boxes of the search panel. Each returns false for text that is not a number of the
// kind (letters, fractions where whole numbers are asked, negative values); empty text is a
// valid "no bound" and leaves `out` unset. Amounts may carry thousands separators ("1,000").
bool parseWholeBound(const QString& text, std::optional<qint64>& out);
bool parseCountBound(const QString& text, std::optional<int>& out);
bool parseDecimalBound(const QString& text, std::optional<double>& out);
// Listing numbers separated by commas or blanks ("12, 15 20"); false for anything else, for a
// number that is not positive and for more than kMaxListingNumbers numbers.
bool parseListingNumbers(const QString& text, QList<int>& out);
constexpr int kMaxListingNumbers = 1000;

// The column the name box searches for a type: the name of the complex or business, the land
// category of land, the kind of other properties, the features of the types without a name.
QString nameFilterColumn(const QString& tb);

// Who is searching: the reservation filter of the own list depends on it.
struct WhereContext {
    ListKind kind = ListKind::Own;
    QString loginId;
    QString officeMainId;
    QDate today;
    bool textIndex = false; // the store keeps ListingTextIndex
};

// The filter part of a list statement: " AND ..." pieces with their bound values.
struct ListWhere {
    QString sql;
    QVariantList values;
    // Inputs left out because the store of the list does not keep their columns (the owner's
    // details and the office's bookkeeping never go to the server).
    QStringList ignored;
};

// Builds the filter from the search inputs, in the order the office has always seen them
// applied: type, transaction, reservation, progress and keyword, rooms, amount, rent, areas,
// numbers, region, free field, name, then the archive and recent-days choices of the own list.
// LIKE values are escaped, so %, _ and ! typed by the user match themselves.
ListWhere ListWhereBuild(const ListFilter& filter, const WhereContext& context);

} // namespace teran
