#pragma once

#include <QString>
#include <QStringList>

namespace teran {

// One account of the office, as the person-in-charge choices list it.
struct StaffMember {
    QString id;
    QString name;
};

// Who is logged in and how: the values every window reads after the login.
struct SessionState {
    QString LoginId;
    QString OfficeMainId; // the office's main member id; the `id` of every listing row
    QString OnlineMode;   // "yes" after a login checked on the server, "offline" otherwise
    // What the user typed at the login, kept in memory only: a session that started offline
    // checks it on the server when it connects again.
    QString LoginPassword;
    bool InternetOk = false;
    int FontSizeSet = 10;
    QString FtpPassword;
    // Office details: 0 office name, 1 homepage, 2 phone, 3 mobile, 4 registration number,
    // 5 address, 6 e-mail, 10 representative (7 to 9 unused).
    QStringList AuthConfig = QStringList(11, QString());
    // The office's accounts: entry 0 is OfficeMainId, then the other accounts of the office.
    QList<StaffMember> Staff;

    bool isOnline() const { return OnlineMode == QLatin1String("yes"); }
};

} // namespace teran
