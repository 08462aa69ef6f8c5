#include "Receipt.h"
#include "core/session/Session.h"

#include "core/listings/ListCellFormat.h"

#include "ContractPage.h"
#include "core/store/SqlStore.h"

namespace teran {

using namespace report;

QString receiptAmountLabel() {
    return QString(QChar(0x4E00)) + QChar(0xF90A);
}

QString receiptWords(qint64 manwon, MoneyNotation notation) {
    return contractAmountText(manwon, notation == MoneyNotation::Digits ? MoneyNotation::Hangul : notation);
}

Receipt receiptOfContract(const Contract& k, int amount, const QString& type, const QDate& today) {
    const auto either = [](const QString& name, const QString& proxy) {
        return name.isEmpty() ? proxy : name;
    };
    Receipt r;
    r.tb = Receipt::contractReceiptTb();
    r.tidx = k.number;
    r.name = either(k.buyer.name, k.buyerProxy.name);
    r.name2 = either(k.seller.name, k.sellerProxy.name);
    r.addr = k.seller.address;
    r.shop = k.address();
    r.type = type;
    const qint64 manwon = k.money[size_t(amount)];
    r.moneyWords = receiptWords(manwon, k.notation);
    r.won = manwon * 10000;
    r.today = today;
    return r;
}

ReceiptStore::ReceiptStore(SqlStore& store)
    : m_store(store) {}

ReceiptStore::ReceiptStore(Session& s)
    : ReceiptStore(s.listingStore()) {}

int ReceiptStore::expectedNumber() {
    return m_store.scalar(QStringLiteral("SELECT MAX(table_idx) FROM mem_moo_rec"), {}, 0).toInt() + 1;
}

bool ReceiptStore::issuedFor(int contract, const QString& type) {
    return m_store
               .scalar(QStringLiteral("SELECT COUNT(*) FROM mem_moo_rec WHERE tb=? AND `Type`=? AND tidx=?"),
                       {Receipt::contractReceiptTb(), type, contract}, 0)
               .toInt() > 0;
}

std::optional<Receipt> ReceiptStore::load(int number) {
    QSqlQuery q = m_store.query(QStringLiteral("SELECT * FROM mem_moo_rec WHERE table_idx=?"), {number});
    if (!q.next())
        return std::nullopt;
    Receipt r;
    r.number = number;
    r.tb = q.value(QStringLiteral("tb")).toString();
    r.ty = q.value(QStringLiteral("ty")).toString();
    r.tidx = q.value(QStringLiteral("tidx")).toInt();
    r.option = q.value(QStringLiteral("Option")).toInt() == 1 ? Receipt::General : Receipt::Property;
    r.name = q.value(QStringLiteral("Name")).toString();
    r.moneyWords = q.value(QStringLiteral("Money")).toString();
    r.won = q.value(QStringLiteral("money2")).toLongLong();
    r.shop = q.value(QStringLiteral("Shop")).toString();
    r.type = q.value(QStringLiteral("Type")).toString();
    r.addr = q.value(QStringLiteral("addr")).toString();
    r.name2 = q.value(QStringLiteral("name2")).toString();
    r.today = QDate::fromString(q.value(QStringLiteral("today")).toString().left(10), Qt::ISODate);
    return r;
}

void ReceiptStore::save(Receipt& r) {
    const QVariantList values{r.tb,  r.ty,   r.tidx, r.option, r.name,  r.moneyWords,
                              r.won, r.shop, r.type, r.addr,   r.name2, r.today.toString(Qt::ISODate)};
    static const QString columns =
        QStringLiteral("tb,ty,tidx,`Option`,`Name`,`Money`,money2,`Shop`,`Type`,addr,name2,today");
    m_store.transact([&] {
        if (r.number > 0) {
            QStringList sets;
            for (const QString& c : columns.split(QLatin1Char(',')))
                sets << c + QStringLiteral("=?");
            if (m_store.execute(
                    QStringLiteral("UPDATE mem_moo_rec SET %1 WHERE table_idx=?").arg(sets.join(',')),
                    QVariantList(values) << r.number) > 0)
                return;
        }
        r.number = m_store
                       .insert(QStringLiteral("INSERT INTO mem_moo_rec (%1) VALUES (%2)")
                                   .arg(columns, SqlStore::placeholders(values.size())),
                               values)
                       .toInt();
    });
}

int ReceiptStore::remove(const QList<int>& numbers) {
    if (numbers.isEmpty())
        return 0;
    QVariantList values;
    for (int n : numbers)
        values << n;
    return m_store.execute(QStringLiteral("DELETE FROM mem_moo_rec WHERE table_idx IN (%1)")
                               .arg(SqlStore::placeholders(numbers.size())),
                           values);
}

QString ReceiptTexts::askAgain(const QString& type) {
    return type + QStringLiteral(" 에 대한 영수증이 존재합니다.\r\n\r\n 그래도 등록하시겠습니까 ? ");
}

namespace {

QString amountLine(const Receipt& r) {
    return receiptAmountLabel() + QStringLiteral(" : ") + r.moneyWords + QStringLiteral(" 원정.") +
           QStringLiteral(" (₩ ") + formatAmount(r.won) + QStringLiteral(" 원)");
}

QString sentence(const Receipt& r) {
    const QString ending = QStringLiteral("으로 정히 영수하고 이에 본 영수증을 발행합니다.");
    if (r.option == Receipt::General)
        return QStringLiteral("상기금액을 ") + r.type + ending;
    return QStringLiteral("상기금액을 위 표시 부동산에 대한 ") + r.type + ending;
}

void footer(Document& d, const OfficeDetails& office, const QString& webAddress) {
    d.add(Paragraph{QStringLiteral("▥ ") + webAddress, Align::Right, false, 7});
    d.add(Paragraph{office.name + QStringLiteral(" (☎ ") + office.phone + QStringLiteral(")"), Align::Right,
                    false, 7});
}

QString spokenDate(const QDate& date, const char* format) {
    return date.isValid() ? date.toString(QString::fromUtf8(format)) : QString();
}

} // namespace

Document receiptDocument(const Receipt& r, const OfficeDetails& office, const QString& webAddress) {
    Document d;
    d.title = QStringLiteral("영수증");
    d.points = 10;
    d.pageNumbers = false;
    const QString number = QString::number(r.number);
    // The payer's copy.
    d.add(Paragraph{QStringLiteral("(계약자용)"), Align::Right, false, 8});
    d.add(Heading{QStringLiteral("영  수  증")});
    d.add(Paragraph{QStringLiteral("No. ") + number});
    d.add(Paragraph{r.name + QStringLiteral(" 귀하"), Align::Left, true, 12});
    d.add(Paragraph{amountLine(r), Align::Left, true, 11});
    d.add(Paragraph{QStringLiteral("부동산의 표시 :") + r.shop});
    d.add(Paragraph{sentence(r)});
    d.add(Paragraph{QStringLiteral("발  행   일 : ") + spokenDate(r.today, "yyyy 년 M 월 d 일")});
    d.add(Paragraph{QStringLiteral("성  명 : ") + r.name2 + QStringLiteral("  (印)")});
    d.add(Paragraph{QStringLiteral("[입회인] ") + office.name + QStringLiteral(" 허가번호 : ") +
                    office.registration + QStringLiteral(" 전화번호 : ") + office.phone});
    d.add(Paragraph{QStringLiteral("소재지 : ") + office.address + QStringLiteral("  대표자명 : ") +
                    office.representative + QStringLiteral("  (印)")});
    footer(d, office, webAddress);
    d.add(Spacer{6});
    d.add(Paragraph{
        QStringLiteral(
            "✂ - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -"),
        Align::Center, false, 8});
    d.add(Spacer{6});
    // The copy the issuer keeps.
    d.add(Paragraph{QStringLiteral("(보관용)"), Align::Right, false, 8});
    d.add(Heading{QStringLiteral("영  수  증")});
    d.add(Paragraph{QStringLiteral("영수증고유번호 :") + number});
    d.add(Paragraph{QStringLiteral("매 수 인 성 명 :") + r.name});
    d.add(Paragraph{amountLine(r), Align::Left, true, 11});
    d.add(Paragraph{QStringLiteral("부동산의 표시 :") + r.shop});
    d.add(Paragraph{sentence(r)});
    d.add(Paragraph{QStringLiteral("발행인 주소 :") + r.addr});
    d.add(Paragraph{QStringLiteral("성       명 :") + r.name2 + QStringLiteral("  (印)")});
    d.add(Paragraph{QStringLiteral("발  행   일 :") + spokenDate(r.today, "yyyy  년   M  월    d  일")});
    footer(d, office, webAddress);
    return d;
}

} // namespace teran
