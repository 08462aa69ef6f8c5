#include "ContractPage.h"

#include "ResidentNumber.h"
#include "core/listings/ListingSheet.h"

namespace teran {

using namespace report;

QString contractAmountText(qint64 manwon, MoneyNotation notation) {
    if (manwon <= 0)
        return {};
    const MoneyText text = ReplaceMoney(QString::number(manwon), notation);
    return text.ok() ? text.text : QString::number(manwon);
}

QString contractWonText(qint64 manwon) {
    return manwon <= 0 ? QString() : formatThousands(QString::number(manwon) + QStringLiteral("0000"));
}

namespace {

QString wonText(qint64 won) {
    return formatThousands(QString::number(won)) + QStringLiteral("원");
}

QString rateText(const FeeMaximum& maximum) {
    return QString::number(maximum.rateTenthsPercent / 10.0) + QStringLiteral("%");
}

} // namespace

QString feeMaximumText(const AgreedFee& fee) {
    const FeeMaximum& m = fee.maximum;
    QString shown = QStringLiteral("법정 상한 %1 (요율 %2, 부가세 %3 별도)")
                        .arg(wonText(m.fee), rateText(m), wonText(m.vat));
    if (fee.aboveMaximum && fee.fee)
        shown += QStringLiteral(" - 입력한 요율의 보수 %1은 상한을 넘습니다.").arg(wonText(*fee.fee));
    return shown;
}

QString printedFeeText(const AgreedFee& fee) {
    const FeeMaximum& m = fee.maximum;
    if (!fee.fee)
        return QStringLiteral("중개보수 : 법정 상한 금 %1 (상한요율 %2, 부가가치세 별도)")
            .arg(wonText(m.fee), rateText(m));
    return QStringLiteral("중개보수 : 금 %1 (부가가치세 %2 별도)  - 법정 상한 %3 (상한요율 %4)")
        .arg(wonText(*fee.fee), wonText(fee.vat), wonText(m.fee), rateText(m));
}

namespace {

// The fee clause and, under it, the fee in won.
void feeClause(Document& d, const Contract& k, const QString& clause) {
    d.add(Paragraph{clause + k.pro + QStringLiteral("  %로 한다.")});
    if (const std::optional<AgreedFee> fee = k.fee())
        d.add(Paragraph{printedFeeText(*fee)});
}

// "금 ... 원정" as every amount line begins.
QString sum(const Contract& k, int amount) {
    return QStringLiteral("금 ") + contractAmountText(k.money[size_t(amount)], k.notation) +
           QStringLiteral("원정");
}

QString paidOn(const Contract& k, int amount, int date, const QString& ending) {
    const ContractDate& d = k.dates[size_t(date)];
    return sum(k, amount) + QStringLiteral("은 ") + d.year + QStringLiteral(" 년 ") + d.month +
           QStringLiteral(" 월 ") + d.day + QStringLiteral(" 일에 ") + ending;
}

QString areaText(const QString& metres, const QString& pyeong) {
    if (metres.isEmpty() && pyeong.isEmpty())
        return {};
    return metres + QStringLiteral(" ㎡  ( ") + pyeong + QStringLiteral("평 )");
}

QString structureAndUse(const Contract& k) {
    if (k.gujo.isEmpty() || k.ydo.isEmpty())
        return k.gujo + k.ydo;
    return k.gujo + QStringLiteral(" / ") + k.ydo;
}

QString depositReceived(const Contract& k, int amount) {
    return sum(k, amount) + QStringLiteral("을 계약시에 지불하고 영수함.    영수자( ") + k.saram +
           QStringLiteral(" )");
}

// The property: the same grid on both kinds of contract.
Fields property(const Contract& k) {
    Fields f{.fields = {}, .pairsPerLine = 2};
    f.fields << Field{QStringLiteral("소재지"), k.address(), 3} << Field{QStringLiteral("토지 지목"), k.jimok}
             << Field{QStringLiteral("토지 면적"), areaText(k.areas[0], k.areas[1])}
             << Field{QStringLiteral("건물 구조·용도"), structureAndUse(k)}
             << Field{QStringLiteral("건물 면적"), areaText(k.areas[2], k.areas[3])};
    if (isLease(k.kind))
        f.fields << Field{QStringLiteral("임대할부분"), k.bubun}
                 << Field{QStringLiteral("면적"), areaText(k.areas[4], k.areas[5])};
    return f;
}

Table parties(const Contract& k, const QString& first, const QString& second) {
    Table t;
    t.header = {QStringLiteral("구분"), QStringLiteral("주소"), QStringLiteral("주민등록번호"),
                QStringLiteral("전화"), QStringLiteral("성명"), QStringLiteral("인")};
    t.weights = {8, 34, 18, 14, 12, 5};
    const auto row = [&t](const QString& role, const ContractParty& p) {
        t.rows << QStringList{role,    p.address, spelledResidentNumber(p.residentNumber),
                              p.phone, p.name,    QStringLiteral("(印)")};
    };
    row(first, k.seller);
    row(QStringLiteral("대리인"), k.sellerProxy);
    row(second, k.buyer);
    row(QStringLiteral("대리인"), k.buyerProxy);
    return t;
}

Table brokers(const Contract& k) {
    Table t;
    t.header = {QStringLiteral("중개업자"), QStringLiteral("사무소소재지"), QStringLiteral("사무소명칭"),
                QStringLiteral("대표"),     QStringLiteral("등록번호"),     QStringLiteral("전화"),
                QStringLiteral("인")};
    t.weights = {8, 28, 16, 10, 14, 14, 5};
    const auto row = [&t](const QString& which, const ContractBroker& b) {
        t.rows << QStringList{
            which, b.address, b.office, b.representative, b.registration, b.phone, QStringLiteral("(印)")};
    };
    row(QStringLiteral("1"), k.broker1);
    if (!k.broker2.office.isEmpty() || !k.broker2.representative.isEmpty())
        row(QStringLiteral("2"), k.broker2);
    return t;
}

void saleTerms(Document& d, const Contract& k) {
    using namespace sale;
    d.add(Paragraph{QStringLiteral(
        "제 1 조 (목적) 위 부동산의 매매에 대하여 매도인과 매수인은 합의에 의하여 매매대금을 아래와 "
        "같이 지불하기로 한다.")});
    Fields f{.fields = {}, .pairsPerLine = 1};
    f.fields << Field{QStringLiteral("매매대금"), sum(k, Price) + QStringLiteral(" ( ₩ ") +
                                                      contractWonText(k.money[Price]) +
                                                      QStringLiteral("원정 )")};
    if (!k.danM.isEmpty() || !k.danP.isEmpty())
        f.fields << Field{QStringLiteral("단가"), k.danM + QStringLiteral("    평당 ") + k.danP};
    f.fields << Field{QStringLiteral("계약금"), depositReceived(k, Deposit)};
    if (k.money[Loan] > 0)
        f.fields << Field{QStringLiteral("융자금"), sum(k, Loan) + QStringLiteral("( ") + k.bank +
                                                        QStringLiteral(" 은행)을 승계키로 한다.")};
    if (k.money[Interim1] > 0)
        f.fields << Field{QStringLiteral("1차 중도금"),
                          paidOn(k, Interim1, Interim1Date, QStringLiteral("지불하며,"))};
    if (k.money[Interim2] > 0)
        f.fields << Field{QStringLiteral("2차 중도금"),
                          paidOn(k, Interim2, Interim2Date, QStringLiteral("지불하며,"))};
    f.fields << Field{QStringLiteral("잔금"), paidOn(k, Balance, BalanceDate, QStringLiteral("지불한다."))};
    d.add(f);
    d.add(Paragraph{
        QStringLiteral(
            "제 2 조 (소유권 이전 등) 매도인은 매매대금의 잔금 수령과 동시에 매수인에게 소유권이전등기에 "
            "필요한 모든 서류를 ") +
        QStringLiteral("교부하고 등기절차에 협력하며, 위 부동산의 인도일은 ") + k.dates[Handover].spoken() +
        QStringLiteral("로 한다")});
    d.add(Paragraph{QStringLiteral(
        "제 3 조 (제한물권 등의 소멸) 매도인은 위의 부동산에 설정된 저당권, 지상권, 임차권 등 소유권의 "
        "행사를 제한하는 사유가 있거나 제세공과금 기타 부담금의 미납금 등이 있을 때에는 잔금 수수일까지 "
        "그 권리의 하자 및 부담 등을 제거하여 완전한 소유권을 매수인에게 이전한다. 다만, 승계하기로 "
        "합의하는 권리 및 금액은 그러하지 아니하다.")});
    d.add(Paragraph{QStringLiteral(
        "제 4 조 (지방세 등) 위 부동산에 관하여 발생한 수익의 귀속과 제세공과금 등의 부담은 위 부동산의 "
        "인도일을 기준으로 하되, 지방세의 납부의무 및 납부책임은 지방세법의 규정에 의한다.")});
    d.add(Paragraph{QStringLiteral(
        "제 5 조 (계약의 해제) 매수인이 매도인에게 중도금(중도금이 없을 때에는 잔금)을 지불하기 "
        "전까지 매도인은 계약금의 배액을 상환하고, 매수인은 계약금을 포기하고 본 계약을 해제할 수 "
        "있다.")});
    d.add(Paragraph{QStringLiteral(
        "제 6 조 (채무불이행과 손해배상) 매도자 또는 매수자가 본 계약상의 내용에 대하여 불이행이 있을 "
        "경우 그 상대방은 불이행한 자에 대하여 서면으로 최고하고 계약을 해제할 수 있다. 그리고 계약 "
        "당사자는 계약해제에 따른 손해배상을 각각 상대방에게 청구할 수 있다.")});
    feeClause(d, k, QStringLiteral("제 7 조 (중개수수료)  - 중개수수료는 거래가액의     "));
}

void leaseTerms(Document& d, const Contract& k) {
    using namespace lease;
    d.add(Paragraph{QStringLiteral(
        "제 1 조 (목적) 위 부동산의 임대차에 한하여 임대인과 임차인은 합의에 의하여 임차보증금 및 "
        "차임을 아래와 같이 지불하기로 한다.")});
    Fields f{.fields = {}, .pairsPerLine = 1};
    f.fields << Field{QStringLiteral("보증금"), sum(k, Deposit) + QStringLiteral(" ( ₩ ") +
                                                    contractWonText(k.money[Deposit]) +
                                                    QStringLiteral("원정 )")};
    f.fields << Field{QStringLiteral("계약금"), depositReceived(k, ContractDeposit)};
    if (k.money[Interim] > 0)
        f.fields << Field{QStringLiteral("중도금"),
                          paidOn(k, Interim, InterimDate, QStringLiteral("지불하며,"))};
    f.fields << Field{QStringLiteral("잔금"), paidOn(k, Balance, BalanceDate, QStringLiteral("지불하며,"))};
    if (k.kind == ContractKind::MonthlyRent)
        f.fields << Field{QStringLiteral("차임"), sum(k, MonthlyRent) + QStringLiteral("은 매월 ") +
                                                      k.rentDay + QStringLiteral(" 일에 지불한다.")};
    d.add(f);
    d.add(Paragraph{
        QStringLiteral(
            "제 2 조 (존속기간) 임대인은 위 부동산을 임대차 목적대로 사용·수익할 수 있는 상태로 ") +
        k.dates[Handover].spoken() + QStringLiteral("까지 임차인에게 인도하며, 임대차 기간은 ") +
        QStringLiteral("인도일로부터 ") + k.dates[LeaseEnd].spoken() + QStringLiteral("까지로 한다.")});
    d.add(Paragraph{QStringLiteral(
        "제 3 조 (용도변경 및 전대 등) 임차인은 임대인의 동의없이 위 부동산의 용도나 구조를 변경하거나 "
        "전대·임차권 양도 또는 담보제공을 하지 못하며 임대차 목적 이외의 용도로 사용할 수 없다.")});
    d.add(Paragraph{QStringLiteral(
        "제 4 조 (계약의 해지) 임차인이 계속하여 2회 이상 차임의 지급을 연체하거나 제3조를 위반하였을 "
        "때 임대인은 즉시 본 계약을 해지할 수 있다.")});
    d.add(Paragraph{QStringLiteral(
        "제 5 조 (계약의 종료) 임대차계약이 종료된 경우에 임차인은 위 부동산을 원상으로 회복하여 "
        "임대인에게 반환한다. 이러한 경우 임대인은 보증금을 임차인에게 반환하고, 연체 임대료 또는 "
        "손해배상금이 있을 때는 이들을 제하고 그 잔액을 반환한다.")});
    d.add(Paragraph{QStringLiteral(
        "제 6 조 (계약의 해제) 임차인이 임대인에게 중도금(중도금이 없을 때는 잔금)을 지불하기 전까지 "
        "임대인은 계약금의 배액을 상환하고, 임차인은 계약금을 포기하고 본 계약을 해제할 수 있다.")});
    d.add(Paragraph{QStringLiteral(
        "제 7 조 (채무불이행과 손해배상) 임대인 또는 임차인이 본 계약상의 내용에 대하여 불이행이 있을 "
        "경우 그 상대방은 불이행한 자에 대하여 서면으로 최고하고 계약을 해제할 수 있다.")});
    feeClause(d, k, QStringLiteral("제 8 조 (중개수수료) - 중개수수료는 거래가액의     "));
}

} // namespace

Document contractDocument(const Contract& k, const OfficeDetails& officeDetails) {
    const bool lease = isLease(k.kind);
    Document d;
    d.title = contractTitle(k.kind);
    d.points = 8.5;
    d.add(Heading{contractTitle(k.kind)});
    if (lease)
        d.add(Paragraph{k.kind == ContractKind::Jeonse ? QStringLiteral("■ 전세   □ 월세")
                                                       : QStringLiteral("□ 전세   ■ 월세"),
                        Align::Center});
    d.add(Paragraph{
        lease ? QStringLiteral(
                    "임대인과 임차인 쌍방은 아래 표시 부동산에 관하여 다음 계약 내용과 같이 임대차계약을 "
                    "체결한다.")
              : QStringLiteral(
                    "매도인과 매수인 쌍방은 아래 표시 부동산에 관하여 다음 계약 내용과 같이 매매계약을 "
                    "체결한다.")});
    d.add(Heading{QStringLiteral("1. 부동산의 표시"), 2, Align::Left});
    d.add(property(k));
    d.add(Heading{QStringLiteral("2. 계약내용"), 2, Align::Left});
    if (lease)
        leaseTerms(d, k);
    else
        saleTerms(d, k);
    d.add(Heading{QStringLiteral("특약사항"), 2, Align::Left});
    d.add(Paragraph{k.special.isEmpty() ? QStringLiteral(" ") : k.special});
    d.add(Paragraph{
        QStringLiteral("본 계약을 증명하기 위하여 계약 당사자가 이의 없음을 확인하고 각자 서명·날인한다.")});
    d.add(Paragraph{k.dates[lease ? int(lease::ContractDay) : int(sale::ContractDay)].spoken(), Align::Center,
                    true});
    d.add(lease ? parties(k, QStringLiteral("임대인"), QStringLiteral("임차인"))
                : parties(k, QStringLiteral("매도인"), QStringLiteral("매수인")));
    d.add(Spacer{2});
    d.add(brokers(k));
    d.footer = ownSheetCopyright(officeDetails);
    d.pageNumbers = true;
    return d;
}

} // namespace teran
