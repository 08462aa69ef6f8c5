#pragma once

#include <QString>
#include <optional>

namespace teran {

class Session;

// A person the office already keeps under a mobile number.
struct PhoneHolder {
    QString kind; // "매수인", "명함", "고객", "매물 소유자"
    QString name;
};

// The mobile number as digits only: "010-1234-5678" and "010 1234 5678" are "01012345678".
QString phoneDigits(const QString& phone);

// Someone else the user may see who has this mobile number: a buyer, a card, a customer or the
// owner of a listing; `table` and `number` name the row being saved, which does not count.
// nullopt when nobody has it (or the number is empty). Throws StoreError.
std::optional<PhoneHolder> findPhoneHolder(Session& session, const QString& mobile, const QString& table,
                                           int number);

// "같은 휴대폰 번호가 고객 '홍길동'에 있습니다. 계속 저장하시겠습니까 ?"
QString samePhoneQuestion(const PhoneHolder& holder);

} // namespace teran
