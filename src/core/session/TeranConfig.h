#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace teran {

// The program's configuration, teran.ini. Without a file every value serves the embedded demo:
// a data folder in the user's data location and a ServerStore file inside it.
struct TeranConfig {
    QString dataPath;          // [data] DataPath: the office's data folder (rd/, files/, Log/ ...)
    QString serverUrl;         // [server] Url: "mysql://host:port/teran" or "sqlite:/path/file.db"
    QString serverUser;        // [server] User (overrides the address' user when set)
    QString serverPassword;    // [server] Password
    QString serverCa;          // [server] Ca: the authority the vendor's certificates verify against
    QString ftpHost;           // [ftp] Host of the picture store
    int ftpPort = 21;          // [ftp] Port
    QString ftpUser;           // [ftp] User
    QString webBaseUrl;        // [web] BaseUrl: vendor's web host; pictures under files/
    QString smsHost;           // [sms] Host of the SMS gateway (its port comes from the server)
    QString smsUser;           // [sms] User: the office's account at the gateway
    QString smsPassword;       // [sms] Password
    QString probeUrl;          // [probe] Url asked to learn whether the internet answers
    int probeTimeoutMs = 5000; // [probe] TimeoutMs
    // [listing] Url: the office database on MariaDB for an office of several desks
    // ("mysql://host:port/db"); empty keeps it in the data folder (rd/terandb.db).
    QString listingUrl;
    QString listingUser;              // [listing] User
    QString listingPassword;          // [listing] Password
    int connectSeconds = 5;           // [network] ConnectSeconds: reaching a server (database, pictures)
    int stallSeconds = 20;            // [network] StallSeconds: a server that stops answering mid-way
    QString officeServerCommand;      // [office] ServerCommand: started and awaited before the login
    int officeServerWaitSeconds = 60; // [office] ServerWaitSeconds: how long the login waits for it

    static QString defaultFile();       // ~/.config/teran/teran.ini (or $TERAN_CONFIG)
    static QString defaultDemoFolder(); // ~/.local/share/teran/demo
    static TeranConfig demoDefaults(const QString& dataPath);

    // Reads the file (a missing file gives the demo); keys that are missing keep the demo
    // defaults of the data folder. A given dataPath replaces the file's data folder.
    static TeranConfig load(const QString& file, const QString& dataPath = {});
    bool save(const QString& file) const;

    QString embeddedServerFile() const; // the demo ServerStore inside the data folder
    // The picture store of a configuration without an FTP host: a folder beside the embedded
    // ServerStore, "server/pictures/" in the data folder.
    QString localPictureFolder() const;
    // A page of the vendor's web host (`key` under BaseUrl); empty when no host is configured.
    QUrl webPage(const QString& key) const;
    // Whether this is the embedded demo: its server is the file in the data folder and its SMS
    // gateway is on this machine.
    bool isEmbeddedDemo() const;
    // Whether the server takes the member who logs in: a MariaDB server named without an account
    // (the vendor's server with an account per member, made by `teran-admin init-server`).
    bool serverTakesMembers() const;

    // What load() found wrong in the file and replaced by the default, for the daily log.
    QStringList warnings;
    // Lines load() could not read at all (an unclosed quote), "N번째 줄: text", for one box.
    QStringList unreadLines;
    QString unreadLinesText() const;

    struct BadLine {
        int number; // from 1
        QString text;
    };
    // The lines of an ini file whose value opens a quote it never closes.
    static QList<BadLine> badLines(const QByteArray& contents);
};

} // namespace teran
