#include "ContractStore.h"
#include "ContractRegister.h"
#include "core/session/Session.h"
#include "core/store/RowWriter.h"

#include "core/listing/TypeFields.h"
#include "core/listings/AutoMoney.h"

#include "core/session/Clock.h"
#include "core/store/SqlStore.h"

#include <functional>

namespace teran {

namespace {

// The text columns of a contract and where each lives in the model: written and read by the
// same table, so a column can never be saved and then not read back.
using TextOf = std::function<QString&(Contract&)>;
struct TextColumn {
    const char* name;
    TextOf of;
};

const QList<TextColumn>& textColumns() {
    static const QList<TextColumn> columns = [] {
        QList<TextColumn> c;
        const auto add = [&c](const char* name, TextOf of) { c.append({name, std::move(of)}); };
        static const char* const adr[] = {"Adr1", "Adr2", "Adr3", "Adr4"};
        for (int i = 0; i < 4; ++i)
            add(adr[i], [i](Contract& k) -> QString& { return k.location[i]; });
        add("tb", [](Contract& k) -> QString& { return k.tb; });
        add("jimok", [](Contract& k) -> QString& { return k.jimok; });
        add("gujo", [](Contract& k) -> QString& { return k.gujo; });
        add("ydo", [](Contract& k) -> QString& { return k.ydo; });
        add("bubun", [](Contract& k) -> QString& { return k.bubun; });
        add("ymdw", [](Contract& k) -> QString& { return k.rentDay; });
        add("special", [](Contract& k) -> QString& { return k.special; });
        // The parties as the contract form numbers its boxes.
        add("addr1", [](Contract& k) -> QString& { return k.seller.address; });
        add("jumin1", [](Contract& k) -> QString& { return k.seller.residentNumber; });
        add("tel1", [](Contract& k) -> QString& { return k.seller.phone; });
        add("name1", [](Contract& k) -> QString& { return k.seller.name; });
        add("addr2", [](Contract& k) -> QString& { return k.sellerProxy.address; });
        add("jumin3", [](Contract& k) -> QString& { return k.sellerProxy.residentNumber; });
        add("name2", [](Contract& k) -> QString& { return k.sellerProxy.name; });
        add("addr3", [](Contract& k) -> QString& { return k.buyer.address; });
        add("jumin2", [](Contract& k) -> QString& { return k.buyer.residentNumber; });
        add("tel2", [](Contract& k) -> QString& { return k.buyer.phone; });
        add("name3", [](Contract& k) -> QString& { return k.buyer.name; });
        add("addr4", [](Contract& k) -> QString& { return k.buyerProxy.address; });
        add("jumin4", [](Contract& k) -> QString& { return k.buyerProxy.residentNumber; });
        add("name4", [](Contract& k) -> QString& { return k.buyerProxy.name; });
        add("addr5", [](Contract& k) -> QString& { return k.broker1.address; });
        add("shop3", [](Contract& k) -> QString& { return k.broker1.office; });
        add("name5", [](Contract& k) -> QString& { return k.broker1.representative; });
        add("number3", [](Contract& k) -> QString& { return k.broker1.registration; });
        add("tel3", [](Contract& k) -> QString& { return k.broker1.phone; });
        add("addr6", [](Contract& k) -> QString& { return k.broker2.address; });
        add("shop4", [](Contract& k) -> QString& { return k.broker2.office; });
        add("name6", [](Contract& k) -> QString& { return k.broker2.representative; });
        add("number4", [](Contract& k) -> QString& { return k.broker2.registration; });
        add("tel4", [](Contract& k) -> QString& { return k.broker2.phone; });
        add("danM", [](Contract& k) -> QString& { return k.danM; });
        add("danP", [](Contract& k) -> QString& { return k.danP; });
        add("saram", [](Contract& k) -> QString& { return k.saram; });
        add("bank", [](Contract& k) -> QString& { return k.bank; });
        return c;
    }();
    return columns;
}

QString moneyColumn(int i) {
    return QStringLiteral("money%1").arg(i + 1);
}
QString areaColumn(int i) {
    return QStringLiteral("pyung%1").arg(i + 1);
}
QString dateColumn(int i) {
    return QStringLiteral("ymd%1").arg(i + 1);
}

// Areas and the fee rate are numbers in the store; the boxes show them with separators.
QVariant decimalOf(const QString& text) {
    bool ok = false;
    const double value = QString(text).remove(QLatin1Char(',')).trimmed().toDouble(&ok);
    return ok ? QVariant(value) : QVariant();
}
QString textOfDecimal(const QVariant& stored) {
    return stored.isNull() ? QString() : QString::number(stored.toDouble(), 'g', 15);
}

RowValues assignmentsOf(Contract& k) {
    RowValues a;
    a.set(QStringLiteral("ty"), contractKindCode(k.kind));
    a.set(QStringLiteral("tidx"), k.listing);
    for (int i = 0; i < 6; ++i)
        a.set(moneyColumn(i), k.money[size_t(i)]);
    a.set(QStringLiteral("kumeak"), int(k.notation));
    for (int i = 0; i < 6; ++i)
        a.set(areaColumn(i), decimalOf(k.areas[size_t(i)]));
    for (int i = 0; i < 5; ++i)
        a.set(dateColumn(i), k.dates[size_t(i)].stored());
    a.set(QStringLiteral("pro"), decimalOf(k.pro));
    for (const TextColumn& column : textColumns())
        a.set(QLatin1String(column.name), column.of(k));
    return a;
}

} // namespace

ContractStore::ContractStore(SqlStore& store, const Clock& clock)
    : m_store(store)
    , m_clock(clock) {}

ContractStore::ContractStore(Session& s)
    : ContractStore(s.listingStore(), s.clock()) {}

std::optional<Contract> ContractStore::load(int number) {
    QSqlQuery q = m_store.query(QStringLiteral("SELECT * FROM mem_moo_con WHERE table_idx=?"), {number});
    if (!q.next())
        return std::nullopt;
    const auto value = [&q](const QString& name) { return q.value(name); };
    Contract k;
    k.number = number;
    k.kind = contractKindOf(value(QStringLiteral("ty")).toString());
    k.listing = value(QStringLiteral("tidx")).toInt();
    for (int i = 0; i < 6; ++i)
        k.money[size_t(i)] = value(moneyColumn(i)).toLongLong();
    k.notation = moneyNotationAt(
        value(QStringLiteral("kumeak")).isNull() ? 2 : value(QStringLiteral("kumeak")).toInt());
    for (int i = 0; i < 6; ++i)
        k.areas[size_t(i)] = textOfDecimal(value(areaColumn(i)));
    for (int i = 0; i < 5; ++i)
        k.dates[size_t(i)] = ContractDate::parse(value(dateColumn(i)).toString());
    k.pro = textOfDecimal(value(QStringLiteral("pro")));
    for (const TextColumn& column : textColumns())
        column.of(k) = value(QLatin1String(column.name)).toString();
    k.writeday = SqlStore::toDateTime(value(QStringLiteral("writeday")));
    return k;
}

int ContractStore::findForListing(int listing, ContractKind kind, const QString& tb) {
    if (listing <= 0)
        return 0;
    QString sql = QStringLiteral("SELECT table_idx FROM mem_moo_con WHERE tidx=? AND ty=?");
    QVariantList values{listing, contractKindCode(kind)};
    if (isLease(kind)) {
        sql += QStringLiteral(" AND tb=?");
        values << tb;
    }
    return m_store.scalar(sql + QStringLiteral(" ORDER BY table_idx"), values, 0).toInt();
}

void ContractStore::save(Contract& contract) {
    m_store.transact([&] {
        const QString table = QStringLiteral("mem_moo_con");
        RowValues a = assignmentsOf(contract);
        const LeaseDates dates = leaseDatesOf(contract, m_store);
        a.set(QStringLiteral("ymd4_date"), dates.end);
        a.set(QStringLiteral("report_date"), dates.reportBy);
        if (contract.number > 0 &&
            updateRows(m_store, table, a, QStringLiteral("table_idx=?"), {contract.number}) > 0)
            return;
        // The stamp is set once, when the contract is first written.
        contract.writeday = m_clock.now();
        a.set(QStringLiteral("writeday"), m_store.toStored(contract.writeday));
        contract.number = insertRow(m_store, table, a).toInt();
    });
}

int ContractStore::remove(const QList<int>& numbers) {
    if (numbers.isEmpty())
        return 0;
    QVariantList values;
    for (int n : numbers)
        values << n;
    const QString marks = SqlStore::placeholders(numbers.size());
    return m_store.execute(QStringLiteral("DELETE FROM mem_moo_con WHERE table_idx IN (%1)").arg(marks),
                           values);
}

Contract newContract(ContractKind kind, const QString& tb, const OfficeDetails& office, const QDate& today) {
    Contract k;
    k.kind = kind;
    k.tb = tb;
    k.broker1 = officeBroker(office);
    k.dates[sale::ContractDay] = ContractDate::of(today); // the same box for every kind
    if (kind == ContractKind::MonthlyRent) {
        k.dates[lease::InterimDate] = ContractDate::of(today);
        k.dates[lease::BalanceDate] = ContractDate::of(today);
    }
    return k;
}

namespace {

// The listing's areas in the contract's boxes, each in ㎡ and 평: a type measured by its lot (대지,
// 건물) gives the land and the building, the others the building (its exclusive area when known).
void putAreas(Contract& k, const ListingRow& listing, const QString& tb) {
    const auto put = [&k](int at, const QString& pyung) {
        if (pyung.trimmed().isEmpty() || amountValue(pyung) <= 0)
            return;
        k.areas[size_t(at)] = squareMetresOf(pyung).value_or(QString());
        k.areas[size_t(at) + 1] = pyung.trimmed();
    };
    const QString listingType = listing.value(QStringLiteral("tb")).toString();
    const TypeRules* rules = typeRules(listingType.isEmpty() ? tb : listingType);
    const QString first = listing.value(QStringLiteral("pyung")).toString();
    const QString second = listing.value(QStringLiteral("pyung_use")).toString();
    if (rules && rules->firstArea == QStringLiteral("대지")) {
        put(0, first);
        put(2, second);
    } else {
        put(2, amountValue(second) > 0 ? second : first);
    }
}

} // namespace

Contract draftFromListing(const ListingRow& listing, int number, ContractKind kind, const QString& tb,
                          const OfficeDetails& office, const QDate& today) {
    Contract k = newContract(kind, tb, office, today);
    k.listing = number;
    const auto amount = [&listing](const char* column) {
        return listing.value(QLatin1String(column)).toLongLong();
    };
    // A jeonse's deposit is its own column; a monthly rent has a deposit and the rent.
    switch (kind) {
    case ContractKind::Sale:
        k.money[sale::Price] = amount("money_m");
        break;
    case ContractKind::Jeonse:
        k.money[lease::Deposit] = amount("money_jb") > 0 ? amount("money_jb") : amount("money_b");
        break;
    case ContractKind::MonthlyRent:
        k.money[lease::Deposit] = amount("money_b");
        k.money[lease::MonthlyRent] = amount("money_w");
        break;
    }
    for (int i = 0; i < 4; ++i)
        k.location[i] = listing.value(QStringLiteral("addr%1").arg(i + 1)).toString();
    k.seller.name = listing.value(QStringLiteral("uname")).toString();
    const QString mobile = listing.value(QStringLiteral("uhp")).toString().trimmed();
    k.seller.phone = mobile.isEmpty() ? listing.value(QStringLiteral("uhome")).toString() : mobile;
    putAreas(k, listing, tb);
    k.computeBalance();
    return k;
}

} // namespace teran
