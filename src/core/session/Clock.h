#pragma once

#include <QDateTime>

namespace teran {

// The source of "now" for everything that stamps or compares dates, so tests can set today.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until told to move; used by tests and by tools that replay a day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at)
        : m_now(std::move(at)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& at) { m_now = at; }
    void advanceDays(int days) { m_now = m_now.addDays(days); }

private:
    QDateTime m_now;
};

} // namespace teran
