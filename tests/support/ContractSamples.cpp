#include "ContractSamples.h"

namespace teran::test {

OfficeDetails sampleOffice() {
    OfficeDetails office;
    office.name = QStringLiteral("테란공인중개사");
    office.homepage = QStringLiteral("teran.example");
    office.phone = QStringLiteral("02-555-1234");
    office.registration = QStringLiteral("서울-2026-0042");
    office.address = QStringLiteral("서울 강남구 역삼동 1-1");
    office.representative = QStringLiteral("김대표");
    return office;
}

Contract sampleContract(ContractKind kind) {
    Contract k;
    k.kind = kind;
    k.tb = QStringLiteral("apt");
    k.listing = 0;
    k.notation = MoneyNotation::Hangul;
    k.location = {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                  QStringLiteral("123-4 래미안 101동")};
    k.jimok = QStringLiteral("대");
    k.areas = {QStringLiteral("100"),
               QStringLiteral("30.25"),
               QStringLiteral("84.5"),
               QStringLiteral("25.56"),
               isLease(kind) ? QStringLiteral("40") : QString(),
               isLease(kind) ? QStringLiteral("12.1") : QString()};
    k.gujo = QStringLiteral("철근콘크리트");
    k.ydo = QStringLiteral("주거용");
    if (isLease(kind)) {
        k.bubun = QStringLiteral("3층 전부");
        k.money = {50000, 5000, 10000, 0, kind == ContractKind::MonthlyRent ? 120 : 0, 0};
        k.rentDay = kind == ContractKind::MonthlyRent ? QStringLiteral("25") : QString();
        k.dates = {ContractDate{"2027", "1", "15"}, ContractDate{"2027", "2", "28"},
                   ContractDate{"2027", "2", "28"}, ContractDate{"2029", "2", "27"},
                   ContractDate{"2026", "12", "8"}};
    } else {
        k.money = {120000, 30000, 12000, 20000, 10000, 0};
        k.dates = {ContractDate{"2027", "1", "10"}, ContractDate{"2027", "2", "10"},
                   ContractDate{"2027", "3", "10"}, ContractDate{"2027", "3", "10"},
                   ContractDate{"2026", "12", "8"}};
        k.danM = QStringLiteral("3,529만원");
        k.danP = QStringLiteral("4,000만원");
        k.bank = QStringLiteral("국민");
    }
    k.computeBalance();
    k.special =
        QStringLiteral("현 시설 상태의 계약이며 O'Neil 씨의 가구는 남긴다.\n잔금일에 관리비를 정산한다.");
    k.seller = {QStringLiteral("서울 서초구 반포동 5"), QStringLiteral("8801011234567"),
                QStringLiteral("010-1111-2222"), QStringLiteral("홍길동")};
    k.sellerProxy = {
        QStringLiteral("서울 중구 1"), QStringLiteral("7001011000000"), {}, QStringLiteral("홍대리")};
    k.buyer = {QStringLiteral("경기 성남시 분당구 2"), QStringLiteral("9203152345678"),
               QStringLiteral("010-3333-4444"), QStringLiteral("김철수")};
    k.buyerProxy = {
        QStringLiteral("경기 수원시 3"), QStringLiteral("8005051111111"), {}, QStringLiteral("김대리")};
    k.broker1 = officeBroker(sampleOffice());
    k.broker2 = {QStringLiteral("서울 송파구 잠실동 9"), QStringLiteral("잠실부동산"),
                 QStringLiteral("이중개"), QStringLiteral("서울-2020-0001"), QStringLiteral("02-777-8888")};
    k.saram = QStringLiteral("홍길동");
    k.pro = QStringLiteral("0.4");
    return k;
}

} // namespace teran::test
