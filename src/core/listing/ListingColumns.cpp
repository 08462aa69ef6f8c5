#include "ListingColumns.h"
#include "core/listing/ListingSortKeys.h"

#include <array>

namespace teran {

namespace {

// Which stores hold a column. The owner's private details, the office's own bookkeeping and the
// exact address stay in the office; the server keeps its copy's key and expiry.
enum class Where { Both, LocalOnly, ServerOnly };

struct ColumnEntry {
    const char* name;
    ColumnType type;
    int size; // VARCHAR length on MariaDB for the few short key columns; 0 = unbounded
    bool autoKey;
    Where where;
};

constexpr ColumnEntry autoNumber(const char* name) {
    return {name, ColumnType::Integer, 0, true, Where::Both};
}
constexpr ColumnEntry shortText(const char* name, int size, Where where = Where::Both) {
    return {name, ColumnType::Text, size, false, where};
}
constexpr ColumnEntry text(const char* name, Where where = Where::Both) {
    return {name, ColumnType::Text, 0, false, where};
}
constexpr ColumnEntry integer(const char* name, Where where = Where::Both) {
    return {name, ColumnType::Integer, 0, false, where};
}
constexpr ColumnEntry money(const char* name) {
    return {name, ColumnType::BigInt, 0, false, Where::Both};
}
constexpr ColumnEntry decimal(const char* name) {
    return {name, ColumnType::Decimal, 0, false, Where::Both};
}
constexpr ColumnEntry date(const char* name, Where where = Where::Both) {
    return {name, ColumnType::DateTime, 0, false, where};
}

constexpr Where Local = Where::LocalOnly;
constexpr Where Server = Where::ServerOnly;

// MariaDB counts every VARCHAR in full against its 65,535-byte row limit (four bytes a
// character in utf8mb4), so only the keys that are indexed or compared for equality are
// VARCHAR; every free text is unbounded.
// Measurements whose unit the registration window owns (power, water, heights, tonnage,
// ratios, parking per household) are decimals so that fractions survive.
const ColumnEntry kColumns[] = {
    // identity and ownership
    autoNumber("table_idx"),
    integer("sub_idx", Server),
    shortText("id", 50),
    shortText("subid", 50),
    shortText("opid", 50, Local),
    integer("code"),
    integer("state"),
    // classification
    shortText("tb", 20),
    shortText("ty", 2),
    text("maemultype"),
    text("maemaepart"),
    text("ming", Local),
    text("jubsu", Local),
    text("groupin", Local),
    text("gubun"),
    text("keyword", Local),
    // owner and contact
    text("uname", Local),
    text("company", Local),
    text("email", Local),
    text("uhp", Local),
    text("uoffice", Local),
    text("uhome", Local),
    text("ufax", Local),
    text("umoney", Local),
    text("ubigo", Local),
    // dates
    date("writeday"),
    date("showday"),
    date("sortday"),
    date("offday", Local),
    // end of a shared copy's ordinary grade, set when it is uploaded
    date("endday", Server),
    // money, whole 만원
    money("money_m"),
    money("money_y"),
    money("money_yeja"),
    money("money_jb"),
    money("money_b"),
    money("money_w"),
    money("money_g"),
    money("money_s"),
    money("money_sg"),
    decimal("money_ys"),
    money("money_mb"),
    money("money_mw"),
    money("money_p"),
    money("money_bu"),
    money("money_bn"),
    money("money_lp"),
    money("money_pg"),
    money("money_gp"),
    money("money_slp"),
    money("money_ie"),
    // area and building
    decimal("pyung"),
    decimal("pyung_use"),
    decimal("pyung_m2"),
    decimal("pyung_use_m2"),
    decimal("pyung_ie"),
    decimal("pyung_use_ie"),
    decimal("pyung_t"),
    decimal("pyung_r"),
    integer("dong"),
    integer("sedae"),
    text("floor"), // may name a basement or a mezzanine
    integer("floor_max"),
    text("floor_ie"),
    integer("floor_max_ie"),
    integer("room"),
    text("livingroom"),
    text("bathroom"),
    integer("room_1"),
    integer("room_2"),
    integer("room_3"),
    integer("room_top"),
    text("room_s"),
    text("makedate"),
    text("remake"),
    text("maker"),
    text("opentype"),
    text("direction"),
    text("elv"),
    integer("elv_in"),
    integer("elv_su"),
    text("hottype"),
    text("fuel"),
    text("internet"),
    decimal("parking"),
    integer("parking_u"),
    integer("parking_d"),
    text("parking_ty"),
    text("gujo"),
    text("sangtae"),
    text("gsangtae"),
    text("magam"),
    decimal("chunjung"),
    decimal("jungi"),
    decimal("mul"),
    decimal("hmax"),
    decimal("hchma"),
    decimal("tonsu"),
    decimal("gunmul_bp"),
    text("bunpo"),
    text("manage"),
    text("budae"),
    text("sisoul"),
    text("interior"),
    text("exchange"),
    integer("chair"),
    integer("desk"),
    text("sizip"),
    text("upjong"),
    text("yungdo_n"),
    text("yungdo_j"),
    text("ydo"),
    text("yongdo"),
    text("dosi"),
    text("jimok"),
    text("jehan"),
    text("landtype"),
    text("doro"),
    text("jutek"),
    text("poss"),
    text("secha"),
    text("bupi"),
    decimal("bupi_l"),
    integer("bupi_ea"),
    integer("joou_s"),
    integer("joou_n"),
    text("joou_g"),
    text("gigu"),
    text("gaeyak"),
    // location
    shortText("post", 10),
    text("addr1"),
    text("addr2"),
    text("addr3"),
    text("addr3_1", Local),
    text("addr4", Local),
    text("addr5", Local),
    text("cboname"),
    text("line"),
    text("station"),
    integer("walking"),
    text("ipjuday"),
    // neighbourhood
    text("special"),
    text("education"),
    text("bus"),
    text("government"),
    text("life"),
    // remarks
    text("mbigo"),
    text("bigoie"),
    // what of a shared listing its copy shows (see storedDisclosure); the office's own choice
    text("scope_ie", Local),
    text("note"),
    // server bookkeeping, kept on both so an upload can copy and reset them
    integer("readnum"),
    integer("hitadd"),
    integer("hitmem"),
    // pictures
    text("imgname1"),
    text("imgname2"),
};

// Finds a column by name without Qt's seeded string hash, which cost more than the whole
// insert of a row when a bulk import looks up every key of every row.
class NameIndex {
public:
    void add(const QString& name, int position) {
        int slot = start(name);
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & kMask;
        m_slots[slot] = qint16(position);
        m_names[slot] = name;
    }

    int find(QStringView name) const {
        for (int slot = start(name);; slot = (slot + 1) & kMask) {
            if (m_slots[slot] < 0)
                return -1;
            if (m_names[slot] == name)
                return m_slots[slot];
        }
    }

private:
    static constexpr int kSize = 1024; // a power of two, far above the column count
    static constexpr int kMask = kSize - 1;

    static int start(QStringView name) {
        quint32 hash = 2166136261u; // FNV-1a
        for (QChar c : name)
            hash = (hash ^ c.unicode()) * 16777619u;
        return int(hash & kMask);
    }

    std::array<qint16, kSize> m_slots = filled();
    std::array<QString, kSize> m_names;

    static std::array<qint16, kSize> filled() {
        std::array<qint16, kSize> slots;
        slots.fill(-1);
        return slots;
    }
};

struct Declared {
    QList<ColumnDef> all;
    QList<Where> where;
    NameIndex byName;
};

const Declared& declared() {
    static const Declared instance = [] {
        Declared d;
        for (const ColumnEntry& s : kColumns) {
            d.byName.add(QString::fromLatin1(s.name), int(d.all.size()));
            // What a column is called depends on the property type: see the type rules.
            d.all.append(ColumnDef{QString::fromLatin1(s.name), s.type, s.size, s.autoKey, QString()});
            d.where.append(s.where);
        }
        return d;
    }();
    return instance;
}

int positionOf(const QString& name) {
    const Declared& d = declared();
    const int exact = d.byName.find(name);
    if (exact >= 0)
        return exact;
    const QString lower = name.toLower();
    return lower == name ? -1 : d.byName.find(lower);
}

bool holds(Where where, ListingSide side) {
    if (where == Where::Both)
        return true;
    return side == ListingSide::Local ? where == Where::LocalOnly : where == Where::ServerOnly;
}

} // namespace

const QList<ColumnDef>& listingColumns() {
    return declared().all;
}

QList<ColumnDef> listingColumnsOf(ListingSide side) {
    const Declared& d = declared();
    QList<ColumnDef> columns;
    for (int i = 0; i < d.all.size(); ++i)
        if (holds(d.where.at(i), side))
            columns.append(d.all.at(i));
    return columns;
}

QStringList listingColumnNames(ListingSide side) {
    QStringList names;
    for (const ColumnDef& c : listingColumnsOf(side))
        names << c.name;
    return names;
}

const ColumnDef* findListingColumn(const QString& name) {
    const int at = positionOf(name);
    return at < 0 ? nullptr : &declared().all.at(at);
}

bool isListingColumnOn(const QString& name, ListingSide side) {
    const int at = positionOf(name);
    return at >= 0 && holds(declared().where.at(at), side);
}

bool isListingColumnOn(const ColumnDef* column, ListingSide side) {
    const Declared& d = declared();
    const qsizetype at = d.all.isEmpty() ? -1 : column - &d.all.first();
    return at >= 0 && at < d.all.size() && holds(d.where.at(at), side);
}

TableDef maemulTable(ListingSide side) {
    TableDef table{QStringLiteral("maemul"), listingColumnsOf(side), {}};
    if (side == ListingSide::Local) {
        // The own lists read the office's rows (or one type's) newest number first: an index on
        // one column keeps its rows in number order, so a page is read without sorting. The
        // name and progress boxes step through the distinct values of (type, name column);
        // registration looks up earlier listings of the same lot.
        const auto index = [](const char* name, std::initializer_list<const char*> columns) {
            IndexDef def{QString::fromLatin1(name), {}, false};
            for (const char* c : columns)
                def.columns << QString::fromLatin1(c);
            return def;
        };
        table.indexes = {index("ix_maemul_id", {"id"}),
                         index("ix_maemul_tb_cboname", {"tb", "cboname"}),
                         index("ix_maemul_tb_jimok", {"tb", "jimok"}),
                         index("ix_maemul_tb_maemultype", {"tb", "maemultype"}),
                         index("ix_maemul_tb_special", {"tb", "special"}),
                         index("ix_maemul_tb_maker", {"tb", "maker"})};
        // One index per column the own list sorts by (the state, the type, the dates, the
        // names, the address that registration also looks lots up by).
        table.indexes += ownListSortIndexes();
    } else {
        // One copy per office listing. The shared and club lists count by type, state, the
        // 60-day window on showday and the office (the id makes the count read the index
        // alone), and read their first page newest sortday first; the club list picks the
        // rows of its members' staff (subid) first.
        table.indexes = {
            {QStringLiteral("ux_maemul_id_sub_idx"), {QStringLiteral("id"), QStringLiteral("sub_idx")}, true},
            {QStringLiteral("ix_maemul_tb_state_showday_id"),
             {QStringLiteral("tb"), QStringLiteral("state"), QStringLiteral("showday"), QStringLiteral("id")},
             false},
            {QStringLiteral("ix_maemul_state_showday_id"),
             {QStringLiteral("state"), QStringLiteral("showday"), QStringLiteral("id")},
             false},
            {QStringLiteral("ix_maemul_tb_sortday"),
             {QStringLiteral("tb"), QStringLiteral("sortday")},
             false},
            {QStringLiteral("ix_maemul_sortday"), {QStringLiteral("sortday")}, false},
            // the office's own rows within the window, left out of the shared list's total
            {QStringLiteral("ix_maemul_id_state_showday"),
             {QStringLiteral("id"), QStringLiteral("state"), QStringLiteral("showday")},
             false},
            {QStringLiteral("ix_maemul_subid_state_showday_tb"),
             {QStringLiteral("subid"), QStringLiteral("state"), QStringLiteral("showday"),
              QStringLiteral("tb")},
             false}};
    }
    return table;
}

} // namespace teran
