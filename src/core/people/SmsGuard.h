#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace teran {

// How the gateway answers repeated wrong passwords. A guesser's address is slowed and then
// refused; an account that many addresses guess at only has its failures slowed, never its
// successes: whoever holds the right password still sends, so no guesser can lock an office out.
struct SmsGuardPolicy {
    qint64 windowMs = 60'000;            // failures counted over the last minute
    int addressSlowAfter = 5;            // an address's failures before its answers are delayed
    int addressLockAfter = 10;           // ... before it is refused
    qint64 lockMs = 15 * qint64(60'000); // how long a refused address stays refused
    int accountSlowAfter = 10;           // an account's failures (from any address) before they are delayed
    qint64 firstDelayMs = 100;           // the first delay; it doubles with each further failure
    qint64 longestDelayMs = 5'000;       // and stops growing here
};

// The gateway's memory of failed password checks, by address and by account; the time is the
// caller's monotonic clock in milliseconds.
class SmsLoginGuard {
public:
    explicit SmsLoginGuard(SmsGuardPolicy policy = {});

    struct Verdict {
        qint64 delayMs = 0;          // wait this long before answering the failure
        bool addressRefused = false; // the address is refused from now on (lockMs)
        bool accountGuarded = false; // the account is guessed at: one failure a connection
        QString logLine;             // what the gateway's log keeps of it, when anything
    };
    // Counts a failed check of `user`'s password from `address`.
    Verdict failed(const QString& address, const QString& user, qint64 now);
    // Whether the address is refused now.
    bool refuses(const QString& address, qint64 now) const;

    const SmsGuardPolicy& policy() const { return m_policy; }
    // Addresses and accounts it keeps failures of.
    qsizetype remembered() const { return m_addresses.size() + m_accounts.size(); }

private:
    struct Failures {
        QList<qint64> times; // within the window, oldest first
        qint64 lockedUntil = 0;
    };
    int count(Failures& failures, qint64 now) const; // drops what left the window
    qint64 delayAfter(int failures, int threshold) const;
    void forgetOld(qint64 now);

    SmsGuardPolicy m_policy;
    QHash<QString, Failures> m_addresses;
    QHash<QString, Failures> m_accounts;
    qsizetype m_forgetAbove; // a sweep happens when a book grows past this
};

} // namespace teran
