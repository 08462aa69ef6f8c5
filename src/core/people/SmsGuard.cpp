#include "SmsGuard.h"

#include <algorithm>

namespace teran {

namespace {

// Past this many remembered addresses or accounts the ones whose failures are all old are
// dropped, so that a guesser with random names cannot grow the gateway's memory without end;
// the next sweep waits for twice what is left, so that sweeping costs little per failure.
constexpr qsizetype kForgetAbove = 4096;

} // namespace

SmsLoginGuard::SmsLoginGuard(SmsGuardPolicy policy)
    : m_policy(policy)
    , m_forgetAbove(kForgetAbove) {}

int SmsLoginGuard::count(Failures& failures, qint64 now) const {
    while (!failures.times.isEmpty() && failures.times.first() <= now - m_policy.windowMs)
        failures.times.removeFirst();
    return int(failures.times.size());
}

qint64 SmsLoginGuard::delayAfter(int failures, int threshold) const {
    if (failures < threshold)
        return 0;
    const int doublings = std::min(failures - threshold, 20);
    return std::min(m_policy.firstDelayMs << doublings, m_policy.longestDelayMs);
}

void SmsLoginGuard::forgetOld(qint64 now) {
    if (std::max(m_addresses.size(), m_accounts.size()) <= m_forgetAbove)
        return;
    for (QHash<QString, Failures>* book : {&m_addresses, &m_accounts})
        for (auto it = book->begin(); it != book->end();)
            it = count(it.value(), now) == 0 && it->lockedUntil <= now ? book->erase(it) : std::next(it);
    m_forgetAbove = std::max(kForgetAbove, 2 * std::max(m_addresses.size(), m_accounts.size()));
}

SmsLoginGuard::Verdict SmsLoginGuard::failed(const QString& address, const QString& user, qint64 now) {
    forgetOld(now);
    Failures& byAddress = m_addresses[address];
    Failures& byAccount = m_accounts[user];
    byAddress.times << now;
    byAccount.times << now;
    const int fromAddress = count(byAddress, now);
    const int forAccount = count(byAccount, now);
    Verdict verdict;
    verdict.delayMs = std::max(delayAfter(fromAddress, m_policy.addressSlowAfter),
                               delayAfter(forAccount, m_policy.accountSlowAfter));
    if (fromAddress >= m_policy.addressLockAfter && byAddress.lockedUntil <= now) {
        byAddress.lockedUntil = now + m_policy.lockMs;
        verdict.addressRefused = true;
        verdict.logLine = QStringLiteral("refusing %1 for %2 minutes: %3 wrong passwords within %4 s")
                              .arg(address)
                              .arg(m_policy.lockMs / 60'000)
                              .arg(fromAddress)
                              .arg(m_policy.windowMs / 1000);
    }
    verdict.accountGuarded = forAccount >= m_policy.accountSlowAfter;
    if (forAccount == m_policy.accountSlowAfter && verdict.logLine.isEmpty())
        verdict.logLine = QStringLiteral("account %1 is guessed at (%2 wrong passwords within %3 s, the last "
                                         "from %4): its failures are slowed")
                              .arg(user)
                              .arg(forAccount)
                              .arg(m_policy.windowMs / 1000)
                              .arg(address);
    return verdict;
}

bool SmsLoginGuard::refuses(const QString& address, qint64 now) const {
    const auto it = m_addresses.constFind(address);
    return it != m_addresses.constEnd() && it->lockedUntil > now;
}

} // namespace teran
