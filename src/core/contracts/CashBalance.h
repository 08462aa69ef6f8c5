#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace teran {

class Session;

// `ShowCashBalance`: the office's cash balance on the ServerStore, as the main window's status
// bar shows it.
class CashBalance {
public:
    explicit CashBalance(Session& session);

    // The panel text, or nothing when the panel keeps its text: the internet did not answer
    // (the box saying so has been shown) or the server failed (the daily log says why).
    std::optional<QString> ShowCashBalance(const QString& companyId);
    // The balance in won, asked the same way; nothing when it cannot be read. A balance read is
    // also announced by the session (cashBalanceRead).
    std::optional<qint64> balance(const QString& companyId);

    // "#,##0 원" for a positive balance, "캐쉬없음" otherwise.
    static QString panelText(qint64 sum);
    // A money value as a store returns it (a number, a double or decimal text): nothing for
    // Null; a value that is no whole number or does not fit 64 bits is refused.
    static std::optional<qint64> wholeNumberOf(const QVariant& value, bool* refused = nullptr);

    static QString noCashText() { return QStringLiteral("캐쉬없음"); }

private:
    bool reachServer();
    Session& m_session;
};

} // namespace teran
