#pragma once

#include <QString>

namespace teran {

// Asks one web address whether the internet answers: any successful answer means yes.
class InternetProbe {
public:
    virtual ~InternetProbe() = default;
    virtual bool reachable() = 0;
};

class HttpProbe final : public InternetProbe {
public:
    HttpProbe(QString url, int timeoutMs);
    // Asks afresh every time (no cache), waiting at most the timeout while events run.
    bool reachable() override;

private:
    QString m_url;
    int m_timeoutMs;
};

} // namespace teran
