#pragma once

#include <QString>
#include <optional>

namespace teran {

// The amounts the registration form computes while the user types (`AutoMoney`), from the texts
// of its boxes. A text that is empty, "-" or no number counts as 0; commas are ignored.
struct AmountTexts {
    QString money_m;    // 매매가
    QString money_y;    // 융자
    QString money_mb;   // the tenant's deposit
    QString money_mw;   // the rent received
    QString money_yeja; // 연이자
    QString pyung;      // land or floor area, 평
    QString pyung_use;  // building area, 평
    QString money_lp;   // official land price per 평, 원
    QString money_gp;   // building value per 평
};

struct ComputedAmounts {
    QString money_sg;               // 실구입가 "#,##0", negative included
    QString money_ys;               // 연수익률 "#0.#0", "0" below 0.01
    std::optional<QString> money_p; // 평당가; nullopt leaves the box as it was
    QString m_tlp;                  // official land price total, 만원
    QString money_slp;              // land price per 평 after the building's value
};

ComputedAmounts AutoMoney(const AmountTexts& texts);

// The number a box holds as AutoMoney reads it.
double amountValue(const QString& text);

// 1 평 = 3.3058 ㎡.
constexpr double kSquareMetresPerPyung = 3.3058;
// The ㎡ text of an area typed in 평 ("10" gives "33.06"); nullopt when the text is no number.
std::optional<QString> squareMetresOf(const QString& pyungText);
// The 평 text of an area typed in ㎡ ("100" gives "30"); nullopt when the text is no number.
std::optional<QString> pyungOf(const QString& squareMetresText);
// The same with two decimals ("#,##0.00"), as a contract states its areas ("100" gives "30.25").
std::optional<QString> pyungTwoDecimalsOf(const QString& squareMetresText);

} // namespace teran
