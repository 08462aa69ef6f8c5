#include "ContractSamples.h"
#include "PdfText.h"
#include "core/contracts/ConfirmationForm.h"
#include "core/contracts/ContractPage.h"
#include "core/contracts/ListingLedger.h"
#include "core/contracts/Receipt.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

// pdftotext lays the text out as on the page; the checks read it without its line breaks and
// runs of blanks, so that a wrapped value still reads whole.
QString flat(const QString& text) {
    return QString(text).replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

void expectHolds(const QString& text, const QStringList& wanted) {
    const QString f = flat(text);
    for (const QString& w : wanted)
        EXPECT_TRUE(f.contains(flat(w))) << w.toStdString() << "\n--- in ---\n" << f.toStdString();
}

} // namespace

// The printed sale contract holds the parties, the location and every amount in the words
// chosen, with the dates of payment; the resident numbers are printed whole on the contract.
TEST(ContractPdfTest, ASaleContractPrintsItsPartiesAmountsInWordsAndClauses) {
    Contract k = sampleContract(ContractKind::Sale);
    const RenderedPdf pdf = renderPdf(contractDocument(k, sampleOffice()));
    ASSERT_GT(pdf.pages, 0);
    EXPECT_LE(pdf.pages, 2);
    expectHolds(
        pdf.text,
        {"부동산 매매계약서",
         "서울 강남구 역삼동 123-4 래미안 101동",
         "금 일십이억원정 ( ₩ 1,200,000,000원정 )",
         "금 일억이천만원정을 계약시에 지불하고 영수함. 영수자( 홍길동 )",
         "금 삼억원정( 국민 은행)을 승계키로 한다.",
         "금 이억원정은 2027 년 1 월 10 일에 지불하며,",
         "금 일억원정은 2027 년 2 월 10 일에 지불하며,",
         "금 칠억팔천만원정은 2027 년 3 월 10 일에 지불한다.",
         "위 부동산의 인도일은 2027 년 3 월 10 일로 한다",
         "거래가액의 0.4 %로 한다.",
         "중개보수 : 금 4,800,000원 (부가가치세 480,000원 별도) - 법정 상한 7,200,000원 (상한요율 0.6%)",
         "O'Neil",
         "2026 년 12 월 8 일",
         "홍길동",
         "김철수",
         "880101 - 1234567",
         "920315 - 2345678",
         "테란공인중개사",
         "서울-2026-0042",
         "잠실부동산",
         "테란공인중개사[teran.example] ☎ 02-555-1234"});
    // The same contract in digits prints the won amounts; without an agreed rate the page states
    // the legal maximum, by the table of the contract's day (before 2021-10-19: 0.9 % over 9억).
    k.notation = MoneyNotation::Digits;
    k.pro.clear();
    k.dates[sale::ContractDay] = ContractDate::of(QDate(2020, 6, 1));
    expectHolds(
        renderPdf(contractDocument(k, sampleOffice())).text,
        {"금 1,200,000,000원정", "중개보수 : 법정 상한 금 10,800,000원 (상한요율 0.9%, 부가가치세 별도)"});
}

TEST(ContractPdfTest, AMonthlyRentContractPrintsTheRentDayTermAndAreaLet) {
    const RenderedPdf pdf =
        renderPdf(contractDocument(sampleContract(ContractKind::MonthlyRent), sampleOffice()));
    expectHolds(pdf.text,
                {"부동산 월세계약서", "□ 전세 ■ 월세", "금 오억원정 ( ₩ 500,000,000원정 )",
                 "금 일백이십만원정은 매월 25 일에 지불한다.", "2027 년 2 월 28 일까지 임차인에게 인도하며",
                 "인도일로부터 2029 년 2 월 27 일까지로 한다.", "3층 전부", "40 ㎡ ( 12.1평 )", "임대인",
                 "임차인", "제 8 조 (중개수수료)"});
    EXPECT_FALSE(flat(pdf.text).contains("승계키로")) << "a lease has no loan taken over";
}

// Both copies of a receipt on one sheet, with the amount label U+4E00 U+F90A.
TEST(ContractPdfTest, AReceiptPrintsTwoCopiesOnOneSheet) {
    Contract k = sampleContract(ContractKind::Sale);
    k.number = 12;
    Receipt r = receiptOfContract(k, sale::Deposit, "계약금", QDate(2026, 12, 8));
    r.number = 7;
    const RenderedPdf pdf = renderPdf(receiptDocument(r, sampleOffice(), "http://teran.example"));
    EXPECT_EQ(pdf.pages, 1);
    const QString label = receiptAmountLabel();
    ASSERT_EQ(label.size(), 2);
    EXPECT_EQ(label.at(1).unicode(), 0xF90A);
    const QString f = flat(pdf.text);
    EXPECT_EQ(f.count("(계약자용)"), 1);
    EXPECT_EQ(f.count("(보관용)"), 1);
    // pdftotext may give the compatibility ideograph or its unified form 金.
    EXPECT_EQ(f.count(QRegularExpression(
                  QString::fromUtf8("一[\uF90A金] : 일억이천만 원정. \\(₩ 120,000,000 원\\)"))),
              2)
        << f.toStdString();
    expectHolds(pdf.text,
                {"No. 7", "김철수 귀하", "영수증고유번호 :7",
                 "상기금액을 위 표시 부동산에 대한 계약금으로 정히 영수하고", "발 행 일 : 2026 년 12 월 8 일",
                 "[입회인] 테란공인중개사 허가번호 : 서울-2026-0042", "▥ http://teran.example",
                 "테란공인중개사 (☎ 02-555-1234)"});
    r.option = Receipt::General;
    expectHolds(renderPdf(receiptDocument(r, sampleOffice(), {})).text,
                {"상기금액을 계약금으로 정히 영수하고"});
}

// The confirmation form shows its sections, the choices made and the parties with their
// resident numbers masked.
TEST(ContractPdfTest, TheConfirmationFormPrintsItsSectionsWithNumbersMasked) {
    ConfirmationForm form;
    form.location = {"서울", "강남구", "역삼동", "123-4"};
    form.boxes = {{"Text1_0", "100"},
                  {"Text5", ""},
                  {"Text5_0", "2"},
                  {"Text11_6", "880101 - 1234567"},
                  {"Text11_8", "홍길동"}};
    form.options = QList<bool>(confirmationOptionCount(), false);
    form.options[0] = true;
    form.wday = QDate(2026, 12, 8);
    const RenderedPdf pdf = renderPdf(confirmationDocument(form, sampleOffice()));
    expectHolds(pdf.text, {"중개대상물 확인 설명서", "1. 대상물건의 표시", "2. 권리 관계에 관한 사항",
                           "3. 기타 공시되지 아니한 중요시설ㆍ물건의 소유에 관한사항",
                           "서울 강남구 역삼동 123-4", "100 ㎡", "■ 소화기 □ 비상사다리 □ 비상벨 ( 2 )개",
                           "880101-1******", "홍길동", "2026 년 12 월 8 일"});
    EXPECT_FALSE(pdf.text.contains("1234567"));
}

TEST(ContractPdfTest, TheTenantTablePrintsItsRowsAndTotals) {
    LedgerTable t;
    t.title = "역삼 빌딩";
    t.special = "전층 임대중";
    t.rows = {{"1", "편의점", "5000", "250", "30", "2027-05-31", "20.5", "재계약"},
              {"2", "학원", "3,000", "150", "0", "", "", ""}};
    const RenderedPdf pdf = renderPdf(tenantDocument(t, sampleOffice()));
    expectHolds(pdf.text, {"보고서 제목 : 역삼 빌딩", "1. 특징", "전층 임대중", "2. 임차인현황 목록",
                           "보증금(만원)", "5,000", "3,000", "(8,000, 400, 30)", "재계약"});
}
