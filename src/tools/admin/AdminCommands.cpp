#include "AdminCommands.h"

#include "DemoSeed.h"
#include "core/listing/ListingRepository.h"
#include "core/listing/PropertyTypes.h"
#include "core/listings/ListingSheet.h"
#include "core/maintenance/AutoBackup.h"
#include "core/maintenance/BackupActions.h"
#include "core/maintenance/ListingTextTransfer.h"
#include "core/maintenance/OfficeBackup.h"
#include "core/maintenance/OfficeCopy.h"
#include "core/online/OfficeSetup.h"
#include "core/online/ReferenceData.h"
#include "core/online/SecuredServer.h"
#include "core/online/VendorBackup.h"
#include "core/people/SmsAccounts.h"
#include "core/session/DataFolder.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreSetup.h"
#include "core/session/TeranConfig.h"
#include "core/store/TlsTrust.h"
#include "report/ReportPainter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QUrl>

namespace teran::admin {

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

struct InitOptions {
    QString configFile;
    QString dataPath;
    QString serverUrl;
    QString serverCa;
    ServerTextValues texts;
    bool writeConfig = false;
    bool demo = false;
};

void printReference(const char* store, const ReferenceFillReport& filled) {
    const auto rows = [](int count) { return count < 0 ? QStringLiteral("kept") : QString::number(count); };
    out() << store << " reference tables: post " << rows(filled.post) << ", subway " << rows(filled.subway)
          << Qt::endl;
}

// On MariaDB the server takes an account per member (see SecuredServer); `migrate` also turns
// the kept passwords of a server from before the accounts into accounts.
int initServer(TeranConfig config, const QString& serverUrl, const ServerTextValues& texts, bool migrate,
               const QString& gatewayPassword) {
    config.serverUrl = serverUrl;
    const StoreUrl url = configuredServerUrl(config);
    if (url.backend == SqlBackend::MariaDb) {
        const ReferenceFillReport filled = prepareSecuredServer(url, texts);
        // The gateway's tables are the administrator's to make: its own account only reads and
        // charges them.
        StoreUrl dataUrl = url;
        dataUrl.database = SecuredServer::dataDatabaseOf(url.database);
        {
            SqlStore tables(QStringLiteral("admin-gateway-tables"));
            tables.open(dataUrl);
            ServerSmsAccounts::createTable(tables);
        }
        if (!gatewayPassword.isEmpty()) {
            SqlStore admin(QStringLiteral("admin-gateway"));
            admin.open(url);
            const QString gateway = SecuredServer(admin, url.database).setGatewayAccount(gatewayPassword);
            out() << "SMS gateway account: " << gateway
                  << " (teran-smsd --cert FILE --key FILE --server mysql://" << gateway << ":PW@host:port/"
                  << dataUrl.database << "?ca=CA)" << Qt::endl;
        }
        out() << "ServerStore ready, an account per member: offices connect to " << url.display()
              << " as themselves; the tables are in " << SecuredServer::dataDatabaseOf(url.database)
              << Qt::endl;
        out() << "Pictures: each member logs in to the picture server with its own account and writes "
                 "under files/<office>/; no FTP password is kept in the server texts"
              << Qt::endl;
        printReference("ServerStore", filled);
        if (migrate) {
            SqlStore admin(QStringLiteral("admin-migrate"));
            admin.open(url);
            const int made = SecuredServer(admin, url.database).accountsFromKeptPasswords();
            out() << "Accounts made from kept passwords (now emptied): " << made << Qt::endl;
        }
        return 0;
    }
    if (migrate) {
        err() << "error: migrate-server needs a MariaDB server (mysql://...)" << Qt::endl;
        return 2;
    }
    const ReferenceFillReport filled = prepareServer(config, texts);
    out() << "ServerStore ready: " << configuredServerUrl(config).display() << Qt::endl;
    printReference("ServerStore", filled);
    return 0;
}

void printSeeded(const DemoSeedReport& made) {
    if (made.serverSeeded)
        out() << "ServerStore: office \"" << demoOfficeId() << "\" with " << made.accounts << " accounts ("
              << demoOfficeId() << "/demo1234, staff1/staff1234, staff2/staff2234), " << made.notices
              << " unread notice, " << made.otherOffices << " other offices with " << made.sharedListings
              << " shared listings, " << made.clubs << " club" << Qt::endl;
    else
        out() << "ServerStore: the demo office was already there; accounts and offices left as they are"
              << Qt::endl;
    if (made.localSeeded)
        out() << "ListingStore: " << made.ownListings << " listings of the demo office, " << made.buyers
              << " buyers who want some of them" << Qt::endl;
    else
        out() << "ListingStore: already holds listings; left as it is" << Qt::endl;
    out() << "Published copies of the demo office on the ServerStore: " << made.serverCopies << Qt::endl;
}

int seedDemoData(const TeranConfig& config) {
    const DataFolder folder(config.dataPath);
    if (!folder.hasListingStore()) {
        err() << "no ListingStore in " << folder.root() << "; run teran-admin init first" << Qt::endl;
        return 1;
    }
    SqlStore listing(QStringLiteral("admin-seed-listing"));
    StoreUrl listingUrl = StoreUrl::sqliteFile(folder.listingStoreFile());
    listingUrl.mustExist = true;
    listing.open(listingUrl);
    SqlStore server(QStringLiteral("admin-seed-server"));
    const StoreUrl serverUrl = configuredServerUrl(config);
    server.open(serverUrl);
    if (!server.hasTable(QStringLiteral("members")) || !listing.hasTable(QStringLiteral("maemul"))) {
        err() << "the stores have no tables yet; run teran-admin init first" << Qt::endl;
        return 1;
    }
    const SystemClock clock;
    const DemoSeedReport made = seedDemo(listing, server, clock);
    if (!made) {
        out() << "Demo data already present (" << folder.root() << ", " << serverUrl.display()
              << "): nothing added" << Qt::endl;
        return 0;
    }
    printSeeded(made);
    return 0;
}

int init(const InitOptions& options) {
    TeranConfig config = TeranConfig::load(options.configFile, options.dataPath);
    if (!options.serverUrl.isEmpty())
        config.serverUrl = options.serverUrl;
    // The vendor's authority, handed to the desk: a file that holds no certificate would leave
    // the desk unable to reach its server, so it is refused here rather than at the next login.
    if (!options.serverCa.isEmpty()) {
        config.serverCa = QFileInfo(options.serverCa).absoluteFilePath();
        if (const QString problem = TlsTrust(config.serverCa).problem(); !problem.isEmpty()) {
            err() << problem << Qt::endl;
            return 1;
        }
    }
    const OfficePreparation made = prepareOffice(config, options.texts, options.demo);
    out() << "Data folder ready: " << DataFolder(config.dataPath).root() << Qt::endl;
    printReference("ListingStore", made.listing);
    if (made.serverIsTheVendors) {
        out() << "ServerStore: the vendor's server " << configuredServerUrl(config).display()
              << ", which the office reaches as the member who logs in" << Qt::endl;
    } else {
        out() << "ServerStore ready: " << configuredServerUrl(config).display() << Qt::endl;
        printReference("ServerStore", made.server);
    }
    if (options.demo && seedDemoData(config) != 0)
        return 1;
    if (options.writeConfig) {
        if (!config.save(options.configFile)) {
            err() << "cannot write " << options.configFile << Qt::endl;
            return 1;
        }
        out() << "Configuration written: " << options.configFile << Qt::endl;
    }
    return 0;
}

// Moves an office database between its SQLite file and a MariaDB (several desks), either way.
int copyOfficeCommand(const QString& from, const QString& to) {
    StoreUrl sourceUrl = StoreUrl::parse(from);
    sourceUrl.mustExist = true;
    SqlStore source(QStringLiteral("admin-copy-source"));
    source.open(sourceUrl);
    SqlStore target(QStringLiteral("admin-copy-target"));
    target.open(StoreUrl::parse(to));
    const OfficeCopyReport report = copyOffice(source, target, [](const QString& table, qint64 rows) {
        out() << "  " << table << ": " << rows << Qt::endl;
    });
    out() << "Office copied: " << report.tables << " tables, " << report.rows << " rows, "
          << sourceUrl.display() << " -> " << StoreUrl::parse(to).display() << Qt::endl;
    return 0;
}

// The office's main account in its database ('' before anyone logged in there).
QString mainAccountIn(SqlStore& office) {
    return office
        .scalar(QStringLiteral("SELECT memID FROM members WHERE memID = companyID ORDER BY memID"), {},
                QString())
        .toString();
}

QString officeIdOf(const StoreUrl& office) {
    SqlStore store(QStringLiteral("admin-office-id"));
    StoreUrl url = office;
    url.mustExist = true;
    store.open(url);
    return mainAccountIn(store);
}

// A checked backup of the office into a new folder; without one, the day's automatic backup into
// the data folder's backup area (for a scheduled task), with the old ones pruned.
int backupCommand(const TeranConfig& config, const QString& folder) {
    const StoreUrl office = Session::listingUrlOf(config);
    const DataFolder data(config.dataPath);
    OfficeBackup backup(office, data, officeIdOf(office));
    if (folder.isEmpty()) {
        const QString made = AutoBackup(backup, BackupActions::backupArea(data)).run(QDate::currentDate());
        out() << (made.isEmpty() ? QStringLiteral("오늘의 백업이 이미 있습니다.")
                                 : QStringLiteral("백업완료: ") + made)
              << Qt::endl;
        return 0;
    }
    const BackupManifest made = backup.backupTo(folder);
    out() << "백업완료: " << folder << " (매물 " << made.listings << "건, 파일 " << made.files << "개)"
          << Qt::endl;
    return 0;
}

// Puts a backup in place of the office's data, keeping the data as it was in the data folder's
// backup area.
int restoreCommand(const TeranConfig& config, const QString& backup) {
    const StoreUrl office = Session::listingUrlOf(config);
    if (office.backend != SqlBackend::Sqlite)
        throw BackupError(QStringLiteral("MariaDB에 둔 사무실 자료는 copy-office로 되돌립니다."));
    const DataFolder data(config.dataPath);
    const QString safety = safetyFolderFor(data, QDateTime::currentDateTime());
    const RestoreReport report = restoreOffice(backup, data, officeIdOf(office), safety);
    out() << "복구완료: " << backup << " ("
          << report.restored.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")) << ", 매물 "
          << report.restored.listings << "건). 이전 자료: " << report.safetyCopy << Qt::endl;
    return 0;
}

// Who runs a text transfer: the office's main account, or a staff login the office allows it
// (a staff login exports only the listings it registered).
struct TransferLogin {
    QString officeId;
    QString loginId;
    bool staff = false;
};

TransferLogin transferLogin(SqlStore& office, const QString& login, BackupAction action) {
    TransferLogin who;
    who.officeId = mainAccountIn(office);
    who.loginId = login.isEmpty() ? who.officeId : login;
    who.staff = !login.isEmpty() && login != who.officeId;
    if (who.staff && !SettingsStore(office).backupPermissions().allows(action))
        throw BackupError(QStringLiteral("%1 직원에게 허용되지 않은 작업입니다.").arg(login));
    return who;
}

SqlStore& openOffice(SqlStore& store, const TeranConfig& config) {
    store.open(Session::listingUrlOf(config));
    return store;
}

int exportCommand(const TeranConfig& config, const QString& file, const QString& types, const QString& from,
                  const QString& to, const QString& by, const QString& login) {
    SqlStore office(QStringLiteral("admin-export"));
    openOffice(office, config);
    const TransferLogin who = transferLogin(office, login, BackupAction::TextExport);
    listingText::ExportChoice choice;
    choice.types = types.isEmpty() ? propertyTypeCodes() : types.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!from.isEmpty() || !to.isEmpty()) {
        choice.period = listingText::Period::Day;
        choice.from = QDate::fromString(from, Qt::ISODate);
        choice.to = QDate::fromString(to, Qt::ISODate);
        if (!choice.from.isValid() || !choice.to.isValid())
            throw BackupError(QStringLiteral("--from와 --to는 YYYY-MM-DD 날짜여야 합니다."));
    }
    if (by == QLatin1String("showday"))
        choice.column = listingText::DateColumn::Shown;
    else if (by == QLatin1String("offday"))
        choice.column = listingText::DateColumn::Off;
    else if (!by.isEmpty() && by != QLatin1String("writeday"))
        throw BackupError(QStringLiteral("--by는 writeday, showday, offday 중 하나입니다."));
    if (who.staff)
        choice.staffOnly = who.loginId;
    const qint64 written = listingText::exportListings(office, choice, file);
    out() << "Text 내보내기: " << file << " (" << written << "건)" << Qt::endl;
    return 0;
}

int importCommand(const TeranConfig& config, const QString& file, const QString& login) {
    SqlStore office(QStringLiteral("admin-import"));
    openOffice(office, config);
    const TransferLogin who = transferLogin(office, login, BackupAction::TextImport);
    try {
        const QList<int> numbers = listingText::importListings(office, file, who.officeId, who.loginId);
        out() << "Text 매물 " << numbers.size() << "건 등록을 완료하였습니다." << Qt::endl;
    } catch (const listingText::ImportRefused& refused) {
        throw BackupError(
            QStringLiteral("%1 번째 줄%2: %3")
                .arg(refused.line())
                .arg(refused.column().isEmpty() ? QString() : QStringLiteral(" ") + refused.column())
                .arg(refused.reason()));
    }
    return 0;
}

// The office's own details for the sheet's foot: its main account's row, in the office database
// once someone has logged in there, else on the configured server.
OfficeDetails officeDetails(SqlStore& local, const TeranConfig& config) {
    const QString sql = QStringLiteral(
        "SELECT shopname, homepage, homtel FROM members WHERE memID = companyID ORDER BY memID");
    const auto read = [&sql](SqlStore& store) {
        QSqlQuery q = store.query(sql);
        OfficeDetails details;
        if (q.next()) {
            details.name = q.value(0).toString();
            details.homepage = q.value(1).toString();
            details.phone = q.value(2).toString();
        }
        return details;
    };
    OfficeDetails details = read(local);
    if (details.name.isEmpty() && details.phone.isEmpty() && !config.serverUrl.isEmpty()) {
        try {
            SqlStore server(QStringLiteral("admin-sheet-server"));
            server.open(configuredServerUrl(config));
            details = read(server);
        } catch (const StoreError&) {
            // no server: the foot stays empty
        }
    }
    return details;
}

// Prints the sheet of an own listing to a PDF without a screen.
int sheetCommand(const TeranConfig& config, const QString& number, const QString& outFile) {
    bool numeric = false;
    const int listing = number.toInt(&numeric);
    if (!numeric || listing <= 0) {
        err() << "error: --listing wants a listing number, not \"" << number << "\"" << Qt::endl;
        return 2;
    }
    const DataFolder folder(config.dataPath);
    StoreUrl url = StoreUrl::sqliteFile(folder.listingStoreFile());
    url.mustExist = true;
    SqlStore store(QStringLiteral("admin-sheet"));
    store.open(url);
    const std::optional<ListingRow> row = readLocal(store, listing);
    if (!row) {
        err() << "error: no listing " << listing << " in " << folder.listingStoreFile() << Qt::endl;
        return 1;
    }
    SheetExtras extras;
    findOwnPictures(*row, folder.files(), extras);
    extras.copyright = ownSheetCopyright(officeDetails(store, config));
    const QString tb = row->value(QStringLiteral("tb")).toString();
    const QString ty = row->value(QStringLiteral("ty")).toString();
    const std::optional<report::Document> page = listingSheet(*row, tb, ty, SheetSource::Own, extras);
    if (!page) {
        err() << "error: " << noSheetLayoutText(tb, ty) << Qt::endl;
        return 1;
    }
    QString error;
    if (!report::ReportPainter::writePdf(*page, outFile, &error)) {
        err() << "error: cannot write " << outFile << ": " << error << Qt::endl;
        return 1;
    }
    out() << "Sheet of listing " << listing << " (" << sheetTitle(tb, ty) << "): " << outFile << Qt::endl;
    return 0;
}

// The main account of a new office on the vendor's server: on MariaDB its own account, on the
// embedded server a row with its password.
int addOfficeCommand(const QString& serverUrl, const NewOffice& office) {
    const QString problem = newOfficeProblem(office);
    if (!problem.isEmpty()) {
        err() << "error: " << problem << Qt::endl;
        return 2;
    }
    StoreUrl url = StoreUrl::parse(serverUrl);
    SqlStore admin(QStringLiteral("admin-add-office"));
    if (url.backend != SqlBackend::MariaDb) {
        url.mustExist = true;
        admin.open(url);
        addOffice(admin, office);
    } else {
        admin.open(url);
        StoreUrl dataUrl = url;
        dataUrl.database = SecuredServer::dataDatabaseOf(url.database);
        SqlStore tables(QStringLiteral("admin-add-office-data"));
        tables.open(dataUrl);
        addSecuredOffice(admin, tables, url.database, office);
        // Its account at the vendor's SMS gateway, which charges its cash for what it sends.
        const SmsAccount sms = ServerSmsAccounts::makeAccount(tables, office.id);
        out() << "Its SMS gateway account, for its teran.ini (shown once):\n[sms]\nUser=" << sms.user
              << "\nPassword=" << sms.password << Qt::endl;
    }
    out() << "Office \"" << office.id << "\" added (" << office.shopname << ")" << Qt::endl;
    return 0;
}

void printCounts(const QMap<QString, qint64>& counts, qint64 cashTotal) {
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    out() << "  " << parts.join(QStringLiteral(", ")) << ", mem_cash total " << cashTotal << Qt::endl;
}

// The vendor's shared data into a new folder (see backupVendorServer).
int backupServerCommand(const QString& serverUrl, const QString& folder, const QString& pictures) {
    const VendorManifest made = backupVendorServer(StoreUrl::parse(serverUrl), folder, pictures);
    out() << "Vendor server backed up: " << made.server << " -> " << folder << Qt::endl;
    printCounts(made.counts, made.cashTotal);
    if (made.binlogFile.isEmpty())
        out() << "  the server keeps no binary log: no point-in-time replay past this backup" << Qt::endl;
    else
        out() << "  binary log at the snapshot: " << made.binlogFile << ":" << made.binlogPosition
              << Qt::endl;
    return 0;
}

// A checked backup into an empty server (or, with --replace, in place of what it holds).
int restoreServerCommand(const QString& serverUrl, const QString& folder, const QString& pictures,
                         bool replace) {
    const VendorRestoreReport restored =
        restoreVendorServer(StoreUrl::parse(serverUrl), folder, pictures, replace);
    out() << "Vendor server restored: " << folder << " (" << restored.manifest.made.toString(Qt::ISODate)
          << ") -> " << StoreUrl::parse(serverUrl).display() << Qt::endl;
    printCounts(restored.counts, restored.cashTotal);
    if (!restored.manifest.binlogFile.isEmpty())
        out() << "  to replay what came after: mariadb-binlog --start-position="
              << restored.manifest.binlogPosition << " " << restored.manifest.binlogFile
              << " ... (the old server's binary logs)" << Qt::endl;
    return 0;
}

void usage() {
    err() << "usage: teran-admin init [--config FILE] [--data DIR] [--server URL] [--ftp-password PW]\n"
             "                        [--sms-port N] [--server-ca FILE] [--write-config] [--demo]\n"
             "       teran-admin init-server --server URL [--ftp-password PW] [--sms-port N] "
             "[--smsd-password PW]\n"
             "       teran-admin migrate-server --server URL [--smsd-password PW]\n"
             "       teran-admin add-office --server URL --id ID --password PW --name NAME --shop OFFICE\n"
             "                              [--phone TEL] [--mobile TEL] [--address TEXT] [--shopnum NO]\n"
             "       teran-admin backup-server --server URL --out DIR [--pictures DIR]\n"
             "       teran-admin restore-server --server URL --from DIR [--pictures DIR] [--replace]\n"
             "       teran-admin seed-demo [--config FILE] [--data DIR]\n"
             "       teran-admin copy-office --from URL --to URL\n"
             "       teran-admin sheet [--data DIR] --listing N --out FILE.pdf\n"
             "       teran-admin backup [--config FILE] [--data DIR] [--out DIR]\n"
             "       teran-admin restore [--config FILE] [--data DIR] --from DIR\n"
             "       teran-admin export [--config FILE] [--data DIR] --out FILE [--types apt,villa]\n"
             "                          [--from YYYY-MM-DD --to YYYY-MM-DD --by writeday|showday|offday]\n"
             "                          [--login ID]\n"
             "       teran-admin import [--config FILE] [--data DIR] --from FILE [--login ID]\n"
             "\n"
             "  --demo, seed-demo: the demo office (log in as demo/demo1234, staff1/staff1234 or\n"
             "  staff2/staff2234) with listings, other offices' shared listings and a club;\n"
             "  nothing is added to stores that already hold it.\n"
             "  copy-office: the whole office database from one store into an empty one, e.g.\n"
             "  --from sqlite:/srv/office/rd/terandb.db --to mysql://user:pw@host:3306/office\n"
             "  (then name the MariaDB in teran.ini, [listing] Url) or back again.\n"
             "  sheet: the listing sheet of an own listing as a PDF, for batch printing.\n"
             "  backup: a checked copy of the office database, rd/ and files/ into a new folder\n"
             "  (without --out: the day's backup in DataPath/backup/, keeping 7 days and 4 weeks);\n"
             "  restore: puts one in place (the data as it was goes to DataPath/backup/).\n"
             "  export, import: listings as the text transfer file; --login ID runs them as that\n"
             "  login (a staff login needs the office's permission and exports its own listings).\n"
             "  init-server on MariaDB: an account per member; the URL names the offices' database\n"
             "  and an administrator who may make databases, accounts and grants. migrate-server\n"
             "  turns a server from before the accounts into one (the kept passwords become\n"
             "  accounts and are emptied). add-office: an office's main account with the phone,\n"
             "  mobile, address and registration number its papers and messages show.\n"
             "  backup-server: the vendor's tables, member accounts (password hashes) and picture\n"
             "  tree (--pictures: the FTP server's docs/files/) with a checked manifest;\n"
             "  restore-server: checks one and puts it into an empty MariaDB (--replace: over\n"
             "  the data the server holds).\n"
          << Qt::flush;
}

} // namespace

int run(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("teran.ini"),
                                    QStringLiteral("FILE"), TeranConfig::defaultFile());
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("data folder"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("ServerStore address"),
                                    QStringLiteral("URL"));
    const QCommandLineOption ftpPassword(QStringLiteral("ftp-password"),
                                         QStringLiteral("picture store password"), QStringLiteral("PW"));
    const QCommandLineOption smsPort(QStringLiteral("sms-port"), QStringLiteral("SMS gateway port"),
                                     QStringLiteral("N"));
    const QCommandLineOption writeConfig(QStringLiteral("write-config"),
                                         QStringLiteral("save the settings used"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("seed the demo office after init"));
    const QCommandLineOption serverCa(QStringLiteral("server-ca"),
                                      QStringLiteral("authority the vendor's certificates verify against"),
                                      QStringLiteral("FILE"));
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("office database to copy"),
                                  QStringLiteral("URL"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("empty store to copy it into"),
                                QStringLiteral("URL"));
    const QCommandLineOption listing(QStringLiteral("listing"), QStringLiteral("listing number"),
                                     QStringLiteral("N"));
    const QCommandLineOption outFile(QStringLiteral("out"), QStringLiteral("PDF file to write"),
                                     QStringLiteral("FILE"));
    const QCommandLineOption officeId(QStringLiteral("id"), QStringLiteral("office id"),
                                      QStringLiteral("ID"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("its password"),
                                      QStringLiteral("PW"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("representative"),
                                  QStringLiteral("NAME"));
    const QCommandLineOption shop(QStringLiteral("shop"), QStringLiteral("office name"),
                                  QStringLiteral("OFFICE"));
    const QCommandLineOption smsdPassword(QStringLiteral("smsd-password"),
                                          QStringLiteral("password of the SMS gateway's own account"),
                                          QStringLiteral("PW"));
    const QCommandLineOption types(QStringLiteral("types"), QStringLiteral("property types to export"),
                                   QStringLiteral("LIST"));
    const QCommandLineOption by(QStringLiteral("by"), QStringLiteral("date column of the period"),
                                QStringLiteral("COLUMN"));
    const QCommandLineOption login(QStringLiteral("login"), QStringLiteral("run as this login"),
                                   QStringLiteral("ID"));
    const QCommandLineOption phone(QStringLiteral("phone"), QStringLiteral("office phone"),
                                   QStringLiteral("TEL"));
    const QCommandLineOption mobile(QStringLiteral("mobile"), QStringLiteral("office mobile"),
                                    QStringLiteral("TEL"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("office address"),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption shopnum(QStringLiteral("shopnum"),
                                     QStringLiteral("brokerage registration number"), QStringLiteral("NO"));
    const QCommandLineOption pictures(QStringLiteral("pictures"), QStringLiteral("picture tree (docs/files)"),
                                      QStringLiteral("DIR"));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("restore over the data the server holds"));
    parser.addOptions({config, data,    server,       serverCa, ftpPassword, smsPort,  writeConfig,
                       demo,   from,    to,           listing,  outFile,     officeId, password,
                       name,   shop,    smsdPassword, types,    by,          login,    phone,
                       mobile, address, shopnum,      pictures, replace});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("init | init-server | migrate-server | add-office | backup-server | restore-server | "
                       "seed-demo | copy-office | sheet | backup | restore | export | import"));
    if (!parser.parse(arguments) || parser.positionalArguments().size() != 1) {
        if (!parser.errorText().isEmpty())
            err() << parser.errorText() << Qt::endl;
        usage();
        return 2;
    }
    const QString command = parser.positionalArguments().first();
    ServerTextValues texts;
    // The demo's own values unless the command line names others.
    const ServerTextValues defaults = parser.isSet(demo) ? demoServerTexts() : ServerTextValues{};
    texts.ftpPassword = parser.isSet(ftpPassword) ? parser.value(ftpPassword) : defaults.ftpPassword;
    texts.smsPort = parser.isSet(smsPort) ? parser.value(smsPort).toInt() : defaults.smsPort;
    try {
        if (command == QLatin1String("init"))
            return init({parser.value(config), parser.value(data), parser.value(server),
                         parser.value(serverCa), texts, parser.isSet(writeConfig), parser.isSet(demo)});
        if (command == QLatin1String("seed-demo"))
            return seedDemoData(TeranConfig::load(parser.value(config), parser.value(data)));
        if (command == QLatin1String("copy-office") && parser.isSet(from) && parser.isSet(to))
            return copyOfficeCommand(parser.value(from), parser.value(to));
        if (command == QLatin1String("sheet") && parser.isSet(listing) && parser.isSet(outFile))
            return sheetCommand(TeranConfig::load(parser.value(config), parser.value(data)),
                                parser.value(listing), parser.value(outFile));
        if ((command == QLatin1String("init-server") || command == QLatin1String("migrate-server")) &&
            parser.isSet(server))
            return initServer(TeranConfig::load(parser.value(config)), parser.value(server), texts,
                              command == QLatin1String("migrate-server"), parser.value(smsdPassword));
        if (command == QLatin1String("backup"))
            return backupCommand(TeranConfig::load(parser.value(config), parser.value(data)),
                                 parser.value(outFile));
        if (command == QLatin1String("restore") && parser.isSet(from))
            return restoreCommand(TeranConfig::load(parser.value(config), parser.value(data)),
                                  parser.value(from));
        if (command == QLatin1String("export") && parser.isSet(outFile))
            return exportCommand(TeranConfig::load(parser.value(config), parser.value(data)),
                                 parser.value(outFile), parser.value(types), parser.value(from),
                                 parser.value(to), parser.value(by), parser.value(login));
        if (command == QLatin1String("import") && parser.isSet(from))
            return importCommand(TeranConfig::load(parser.value(config), parser.value(data)),
                                 parser.value(from), parser.value(login));
        if (command == QLatin1String("add-office") && parser.isSet(server))
            return addOfficeCommand(parser.value(server),
                                    NewOffice{parser.value(officeId), parser.value(password),
                                              parser.value(name), parser.value(shop), parser.value(phone),
                                              parser.value(mobile), parser.value(address),
                                              parser.value(shopnum)});
        if (command == QLatin1String("backup-server") && parser.isSet(server) && parser.isSet(outFile))
            return backupServerCommand(parser.value(server), parser.value(outFile), parser.value(pictures));
        if (command == QLatin1String("restore-server") && parser.isSet(server) && parser.isSet(from))
            return restoreServerCommand(parser.value(server), parser.value(from), parser.value(pictures),
                                        parser.isSet(replace));
    } catch (const StoreError& error) {
        err() << "error: " << error.description() << " (" << error.source() << ") " << error.sql()
              << Qt::endl;
        return 1;
    } catch (const VendorBackupError& error) {
        err() << "오류: " << error.reason() << Qt::endl;
        return 1;
    } catch (const BackupError& error) {
        err() << "오류: " << error.reason() << Qt::endl;
        return 1;
    } catch (const std::runtime_error& error) {
        err() << "오류: " << QString::fromStdString(error.what()) << Qt::endl;
        return 1;
    }
    usage();
    return 2;
}

} // namespace teran::admin
