#include "CashBalance.h"

#include "core/listings/ListCellFormat.h"

#include "ReplaceMoney.h"
#include "core/session/InternetNotice.h"
#include "core/session/Session.h"

#include <QMetaType>
#include <QSqlQuery>
#include <QtNumeric>
#include <algorithm>
#include <cmath>

namespace teran {

namespace {

const QString kLabel = QStringLiteral("ShowCashBalance => ");
const QString kSource = QStringLiteral("CashBalance");

} // namespace

CashBalance::CashBalance(Session& session)
    : m_session(session) {}

QString CashBalance::panelText(qint64 sum) {
    if (sum <= 0)
        return noCashText();
    return formatAmount(sum) + QStringLiteral(" 원");
}

std::optional<qint64> CashBalance::wholeNumberOf(const QVariant& value, bool* refused) {
    if (refused)
        *refused = false;
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    qint64 number = 0;
    if (value.typeId() == QMetaType::Double) {
        // Drivers asked for low precision give whole numbers of some types as doubles.
        const double d = value.toDouble();
        ok = std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 9.2e18;
        number = ok ? static_cast<qint64>(d) : 0;
    } else {
        // Decimals arrive as text ("1234500" or "1234500.00").
        QString text = value.toString().trimmed();
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        if (point >= 0) {
            const QString fraction = text.mid(point + 1);
            ok = std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == QLatin1Char('0'); });
            text.truncate(point);
        } else {
            ok = true;
        }
        number = ok ? text.toLongLong(&ok) : 0;
    }
    if (!ok) {
        if (refused)
            *refused = true;
        return std::nullopt;
    }
    return number;
}

bool CashBalance::reachServer() {
    if (!m_session.serverReachable())
        m_session.InternetCheck();
    return m_session.serverReachable();
}

std::optional<QString> CashBalance::ShowCashBalance(const QString& companyId) {
    const std::optional<qint64> sum = balance(companyId);
    return sum ? std::optional<QString>(panelText(*sum)) : std::nullopt;
}

std::optional<qint64> CashBalance::balance(const QString& companyId) {
    if (!reachServer()) {
        // A refusing server has already said so and is ending the program.
        if (!m_session.endRequested())
            m_session.dialogs().message(InternetNotice::text(), InternetNotice::title(), DialogIcon::None,
                                        DialogButtons::Ok);
        return std::nullopt;
    }
    try {
        // Summed here rather than by SUM(): MariaDB sums BIGINT as DECIMAL, which its driver
        // hands over as a double that loses the last digits of large balances.
        QSqlQuery rows = m_session.serverStore().query(
            QStringLiteral("SELECT money FROM mem_cash WHERE companyID=?"), {companyId});
        qint64 sum = 0;
        while (rows.next()) {
            bool refused = false;
            const std::optional<qint64> money = wholeNumberOf(rows.value(0), &refused);
            if (refused || (money && qAddOverflow(sum, *money, &sum)))
                throw StoreError(QStringLiteral("The cash balance cannot be summed at: ") +
                                     rows.value(0).toString(),
                                 kSource);
        }
        Q_EMIT m_session.cashBalanceRead(companyId, sum);
        return sum;
    } catch (const StoreError& error) {
        m_session.logError(kLabel, error);
        return std::nullopt;
    }
}

} // namespace teran
