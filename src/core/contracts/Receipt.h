#pragma once

#include "Contract.h"
#include "core/report/ReportDocument.h"
#include "core/session/SessionState.h"

#include <QDate>
#include <optional>

namespace teran {

class Session;

class SqlStore;

// A payment receipt (`mem_moo_rec`).
struct Receipt {
    enum Kind { Property = 0, General = 1 }; // 부동산영수증, 일반영수증
    int number = 0;                          // `table_idx`, printed as the receipt's number
    QString tb;                              // "gaeyak" when issued from a contract
    QString ty;
    int tidx = 0; // the contract, or without one the listing
    int option = Property;
    QString name;       // who paid (printed as 매수인)
    QString moneyWords; // the amount in words
    qint64 won = 0;
    QString shop;  // the property indication
    QString type;  // what the money is for ("계약금", "잔금" ...)
    QString addr;  // the issuer's address
    QString name2; // the issuer
    QDate today;

    bool operator==(const Receipt&) const = default;
    bool fromContract() const { return tb == contractReceiptTb(); }
    // A receipt says a sum was paid: one of 0 won (or none) would attest nothing.
    bool hasAmount() const { return won > 0; }
    static QString contractReceiptTb() { return QStringLiteral("gaeyak"); }
};

// The receipt of one amount of a contract: paid by the buyer (lessee, or the proxy when no
// name is given) to the seller (lessor, or the proxy), for the contract's property.
Receipt receiptOfContract(const Contract& contract, int amount, const QString& type, const QDate& today);
// The amount in words on a receipt: the contract's notation, in Hangul words when that is digits.
QString receiptWords(qint64 manwon, MoneyNotation notation);

// The receipts in the office database; numbers are the store's.
class ReceiptStore {
public:
    explicit ReceiptStore(SqlStore& store);
    // The session's: the office database.
    explicit ReceiptStore(Session& session);
    // The number the next receipt will most likely get (1 for the first), for the window to
    // show; the store assigns the real one at the save.
    int expectedNumber();
    // A receipt of this type was already issued for the contract.
    bool issuedFor(int contract, const QString& type);
    std::optional<Receipt> load(int number);
    void save(Receipt& receipt); // a new receipt (number 0) gets the store's number
    int remove(const QList<int>& numbers);

private:
    SqlStore& m_store;
};

// The printed receipt: the copy for the payer ("(계약자용)") and the copy kept ("(보관용)") on one
// sheet, the office as witness.
report::Document receiptDocument(const Receipt& receipt, const OfficeDetails& officeDetails,
                                 const QString& webAddress);

// The texts of the receipt window.
struct ReceiptTexts {
    static QString askAgain(const QString& type); // "… 에 대한 영수증이 존재합니다." …
    static QString askTitle() { return QStringLiteral("영수증확인"); }
    static QString saved() { return QStringLiteral("저장되었습니다."); }
    static QString savedTitle() { return QStringLiteral("영수증"); }
    static QString noAmount() {
        return QStringLiteral("영수한 금액(원)을 입력해 주세요. 0 원의 영수증은 발행할 수 없습니다.");
    }
    static QString printed() { return QStringLiteral("영수증인쇄작업을 완료하였습니다."); }
    static QString printedTitle() { return QStringLiteral("인쇄완료"); }
};

// "一金" with the compatibility ideograph U+F90A, as the office's receipts have always printed it.
QString receiptAmountLabel();

} // namespace teran
