#pragma once

#include <QString>
#include <QStringList>

namespace teran {

// One account of the office, as the person-in-charge choices list it.
struct StaffMember {
    QString id;
    QString name;
};

// The office's details as its main account on the server holds them: what contracts, receipts,
// forms and sheets print as the office.
struct OfficeDetails {
    QString name;           // shopname
    QString homepage;       // homepage
    QString phone;          // homtel
    QString mobile;         // hantel
    QString registration;   // shopnum, the brokerage's registration number
    QString address;        // addr1 to addr4, joined
    QString email;          // email
    QString representative; // name of the main account
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
    // The office's details from its main account, read at the login.
    OfficeDetails AuthConfig;
    // The office's accounts: entry 0 is OfficeMainId, then the other accounts of the office.
    QList<StaffMember> Staff;

    bool isOnline() const { return OnlineMode == QLatin1String("yes"); }
};

} // namespace teran
