#include "SecuredServer.h"

#include "core/listing/ListingColumns.h"
#include "core/listing/PropertyTypes.h"
#include "core/online/ReferenceData.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"
#include "core/store/StoreTables.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace teran {

namespace {

const QString kSource = QStringLiteral("SecuredServer");

QString quoted(const QString& name) {
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QStringLiteral("``")) +
           QLatin1Char('`');
}

QString stringLiteral(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The login name of the connected client. USER(), not CURRENT_USER(): inside a view, a trigger
// or a definer routine CURRENT_USER() is the definer.
const QString kLogin = QStringLiteral("SUBSTRING_INDEX(USER(), '@', 1)");

// What every member account of the server is held to: it connects only over TLS, with a few
// connections at a time (a desk needs its session's, the sender's and the picture server's
// check), and a statement that runs past the time limit is ended by the server, so that one
// office's runaway search or flood of connections leaves the others working. The vendor's
// administrator keeps the server's one reserved connection beyond max_connections.
QString memberAccountOptions() {
    return QStringLiteral(" REQUIRE SSL WITH MAX_USER_CONNECTIONS %1 MAX_STATEMENT_TIME %2")
        .arg(kMemberConnections)
        .arg(kMemberStatementSeconds);
}

QString states(std::initializer_list<PublicationState> list) {
    QStringList values;
    for (PublicationState s : list)
        values << QString::number(stateValue(s));
    return values.join(QLatin1Char(','));
}

// Columns of `members` that other offices see; the rest only the member's own office.
const QStringList kPublicMemberColumns = {
    QStringLiteral("mem_idx"),  QStringLiteral("companyID"), QStringLiteral("memID"),
    QStringLiteral("memType"),  QStringLiteral("name"),      QStringLiteral("shopname"),
    QStringLiteral("showname"), QStringLiteral("addr1"),     QStringLiteral("addr2"),
    QStringLiteral("addr3"),    QStringLiteral("addr4"),     QStringLiteral("addrKey"),
    QStringLiteral("homtel"),   QStringLiteral("hantel"),    QStringLiteral("fax"),
    QStringLiteral("shopnum"),  QStringLiteral("homepage"),  QStringLiteral("writeday")};

// The columns an office's program writes on its own account rows: the notices it has read, the
// size of its own store, the day it last reported, and the phone it is called back on when the
// account was made without one (keepOfficePhone).
const QStringList kOwnMemberActivity = {QStringLiteral("admin_msg"), QStringLiteral("nowdata"),
                                        QStringLiteral("lastDay"), QStringLiteral("homtel")};

TableDef serverTable(const QString& name) {
    for (const TableDef& table : serverStoreTables())
        if (table.name == name)
            return table;
    throw StoreError(QStringLiteral("no server table ") + name, kSource);
}

const QString kRefused = QStringLiteral("다른 사무소의 자료는 바꿀 수 없습니다.");

} // namespace

bool isAccountName(const QString& memberId) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]{3,20}$"));
    return plain.match(memberId).hasMatch();
}

SecuredServer::SecuredServer(SqlStore& admin, QString officeDatabase)
    : m_admin(admin)
    , m_officeDatabase(std::move(officeDatabase)) {
    if (m_admin.backend() != SqlBackend::MariaDb)
        throw StoreError(QStringLiteral("accounts per office need a MariaDB server"), kSource);
}

QString SecuredServer::dataDatabaseOf(const QString& officeDatabase) {
    return officeDatabase + QStringLiteral("_data");
}

QString SecuredServer::roleOf(const QString& officeDatabase) {
    return officeDatabase + QStringLiteral("_office");
}

QString SecuredServer::gatewayAccountOf(const QString& officeDatabase) {
    return officeDatabase + QStringLiteral("_smsd");
}

QString SecuredServer::office() const {
    return quoted(m_officeDatabase);
}

QString SecuredServer::data() const {
    return quoted(dataDatabaseOf(m_officeDatabase));
}

QString SecuredServer::role() const {
    return quoted(roleOf(m_officeDatabase));
}

void SecuredServer::makeDataDatabase() {
    m_admin.execute(QStringLiteral("CREATE DATABASE IF NOT EXISTS %1 CHARACTER SET utf8mb4 COLLATE "
                                   "utf8mb4_unicode_ci")
                        .arg(data()));
}

void SecuredServer::secure() {
    createMemberOffices();
    createFunctions();
    createViews();
    createTriggers();
    createProcedures();
    grantRole();
    limitMemberAccounts();
    endHeldLocks();
}

// An office reads other offices' shared rows through the views it may read, and MariaDB lets a
// reader lock what it reads (FOR UPDATE, LOCK IN SHARE MODE) with nothing but SELECT. Views that
// could not pass a lock on (materialised ones) would copy the whole shared list on every read,
// so the locks are bounded instead: every second the server ends the connection of an office
// whose transaction has held another office's statement waiting for more than half a second (the
// holder's transaction rolls back; the desk's store reconnects and runs it again). A desk's own
// transactions are short and never hold another office that long; the vendor's and the
// gateway's accounts are never ended.
//
// The account's own limits are session variables a member may set for itself (SET SESSION
// max_statement_time = 0, idle_transaction_timeout = 0), so the server holds them again in
// events of its own that no office can change.
void SecuredServer::endHeldLocks() {
    const QString members = QStringLiteral("JOIN %1.member_office o ON o.login = p.USER ").arg(data());
    endEverySecond(
        QStringLiteral("end_held_locks"),
        QStringLiteral("SELECT DISTINCT b.trx_mysql_thread_id FROM information_schema.INNODB_LOCK_WAITS w "
                       "JOIN information_schema.INNODB_TRX r ON r.trx_id = w.requesting_trx_id "
                       "JOIN information_schema.INNODB_TRX b ON b.trx_id = w.blocking_trx_id "
                       "JOIN information_schema.PROCESSLIST waiter ON waiter.ID = r.trx_mysql_thread_id "
                       "JOIN information_schema.PROCESSLIST p ON p.ID = b.trx_mysql_thread_id %1"
                       "LEFT JOIN %2.member_office wo ON wo.login = waiter.USER "
                       "WHERE waiter.TIME_MS > %3 AND (wo.office IS NULL OR wo.office <> o.office)")
            .arg(members, data())
            .arg(kHeldLockMs));
    // MariaDB limits connections per account only; an office is several accounts (its staff).
    // Every second the connections of an office beyond its share, the newest first, are ended.
    endEverySecond(QStringLiteral("end_office_floods"),
                   QStringLiteral("SELECT c.id FROM (SELECT p.ID AS id, o.office AS office FROM "
                                  "information_schema.PROCESSLIST p %1) c "
                                  "WHERE (SELECT COUNT(*) FROM information_schema.PROCESSLIST q JOIN "
                                  "%2.member_office qo ON qo.login = q.USER WHERE qo.office = c.office AND "
                                  "q.ID < c.id) >= %3")
                       .arg(members, data())
                       .arg(kOfficeConnections));
    // A statement past the account's time limit (it switched the limit off) is ended, a little
    // after the limit would have ended it; the connection stays. The desk's statements are
    // prepared ones, which the list shows as Execute.
    endEverySecond(QStringLiteral("end_runaway_statements"),
                   QStringLiteral("SELECT p.ID FROM information_schema.PROCESSLIST p %1"
                                  "WHERE p.COMMAND IN ('Query', 'Execute', 'Fetch') AND p.TIME_MS > %2")
                       .arg(members)
                       .arg((kMemberStatementSeconds + 2) * 1000),
                   QStringLiteral("QUERY"));
    // A transaction left open without a statement keeps its snapshot and its locks for every
    // other office to wait on: its connection is ended.
    endEverySecond(QStringLiteral("end_idle_transactions"),
                   QStringLiteral("SELECT p.ID FROM information_schema.INNODB_TRX t "
                                  "JOIN information_schema.PROCESSLIST p ON p.ID = t.trx_mysql_thread_id %1"
                                  "WHERE p.COMMAND = 'Sleep' AND p.TIME > %2")
                       .arg(members)
                       .arg(kIdleTransactionSeconds));
}

// An event of the tables' database that ends, every second, the connections (or only the
// statements, `what` "QUERY") of the thread ids `selected` lists.
void SecuredServer::endEverySecond(const QString& event, const QString& selected, const QString& what) {
    m_admin.execute(QStringLiteral("CREATE OR REPLACE DEFINER = CURRENT_USER EVENT %1.%2 ON SCHEDULE EVERY 1 "
                                   "SECOND DO BEGIN "
                                   "DECLARE done INT DEFAULT 0; "
                                   "DECLARE ended_id BIGINT UNSIGNED; "
                                   "DECLARE ended CURSOR FOR %3; "
                                   "DECLARE CONTINUE HANDLER FOR NOT FOUND SET done = 1; "
                                   // A connection that ended meanwhile is no longer there to end.
                                   "DECLARE CONTINUE HANDLER FOR 1094 BEGIN END; "
                                   "OPEN ended; "
                                   "ending: LOOP "
                                   "FETCH ended INTO ended_id; "
                                   "IF done THEN LEAVE ending; END IF; "
                                   "SET @teran_end = CONCAT('KILL %4 ', ended_id); "
                                   "PREPARE s FROM @teran_end; EXECUTE s; DEALLOCATE PREPARE s; "
                                   "END LOOP; "
                                   "CLOSE ended; "
                                   "END")
                        .arg(data(), quoted(event), selected, what));
}

// The member accounts made before the limits (every account the role was granted to) are held
// to them too; not the administrator who made the role (it holds the role to hand it on).
void SecuredServer::limitMemberAccounts() {
    QSqlQuery members = m_admin.query(
        QStringLiteral("SELECT User, Host FROM mysql.roles_mapping WHERE Role = ? AND User <> '' AND "
                       "Admin_option <> 'Y'"),
        {SecuredServer::roleOf(m_officeDatabase)});
    QStringList accounts;
    while (members.next())
        accounts << QStringLiteral("%1@%2").arg(stringLiteral(members.value(0).toString()),
                                                stringLiteral(members.value(1).toString()));
    for (const QString& account : accounts)
        m_admin.execute(QStringLiteral("ALTER USER ") + account + memberAccountOptions());
}

// Each member's office, beside the accounts and kept by triggers: the views find the connected
// member's office here (a view that read `members` in a subquery could not be written through
// as `members`).
void SecuredServer::createMemberOffices() {
    m_admin.execute(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1.member_office (login VARCHAR(50) NOT NULL PRIMARY "
                       "KEY, office VARCHAR(50) NOT NULL) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 "
                       "COLLATE=utf8mb4_unicode_ci")
            .arg(data()));
    const QString add =
        QStringLiteral("IF NEW.memType IN ('A','B') AND NEW.memID IS NOT NULL THEN REPLACE INTO "
                       "%1.member_office(login, office) VALUES(NEW.memID, COALESCE(NEW.companyID, "
                       "NEW.memID)); END IF;")
            .arg(data());
    const QString remove =
        QStringLiteral("DELETE FROM %1.member_office WHERE login = OLD.memID;").arg(data());
    const auto trigger = [&](const QString& when, const QString& body) {
        m_admin.execute(
            QStringLiteral("CREATE OR REPLACE DEFINER = CURRENT_USER TRIGGER %1.tr_member_office_%2 AFTER "
                           "%3 ON %1.members FOR EACH ROW BEGIN %4 END")
                .arg(data(), when.toLower(), when, body));
    };
    trigger(QStringLiteral("INSERT"), add);
    // Only a change of the account's keys touches the table: an office's own update of its row
    // reads it through the view.
    trigger(QStringLiteral("UPDATE"),
            QStringLiteral("IF NOT (OLD.memID <=> NEW.memID AND OLD.companyID <=> "
                           "NEW.companyID AND OLD.memType <=> NEW.memType) THEN %1 %2 END IF;")
                .arg(remove, add));
    trigger(QStringLiteral("DELETE"), remove);
    m_admin.transact([&] {
        m_admin.execute(QStringLiteral("DELETE FROM %1.member_office").arg(data()));
        m_admin.execute(
            QStringLiteral("INSERT INTO %1.member_office(login, office) SELECT memID, "
                           "COALESCE(companyID, memID) FROM %1.members WHERE memType IN ('A','B') AND "
                           "memID IS NOT NULL")
                .arg(data()));
    });
}

// caller_office(): the office of the connected member; NULL for the vendor's own account (the
// definer), which the triggers let through; '' for any other account, which owns nothing.
void SecuredServer::createFunctions() {
    m_admin.execute(
        QStringLiteral(
            "CREATE OR REPLACE DEFINER = CURRENT_USER FUNCTION %1.caller_office() RETURNS VARCHAR(50) "
            "CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci READS SQL DATA SQL SECURITY DEFINER "
            "BEGIN "
            "DECLARE found VARCHAR(50) CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci DEFAULT "
            "(SELECT office FROM %2.member_office WHERE login = %3); "
            "IF found IS NULL AND %3 <> SUBSTRING_INDEX(CURRENT_USER(), '@', 1) THEN SET found = ''; END IF; "
            "RETURN found; END")
            .arg(office(), data(), kLogin));
}

void SecuredServer::createViews() {
    const QString callerOffice =
        QStringLiteral("(SELECT o.office FROM %1.member_office o WHERE o.login = %2)").arg(data(), kLogin);
    const auto view = [&](const QString& name, const QString& select, bool checked) {
        m_admin.execute(
            QStringLiteral("CREATE OR REPLACE ALGORITHM = MERGE DEFINER = CURRENT_USER SQL SECURITY "
                           "DEFINER VIEW %1.%2 AS %3%4")
                .arg(office(), quoted(name), select,
                     checked ? QStringLiteral(" WITH CASCADED CHECK OPTION") : QString()));
    };
    const auto all = [&](const QString& table) {
        return QStringLiteral("SELECT t.* FROM %1.%2 t").arg(data(), quoted(table));
    };

    // Listings: every office's internet listings, the club listings of the offices in a club where
    // this office is a full member and that shares the type, and the office's own copies.
    view(QStringLiteral("maemul"),
         all(QStringLiteral("maemul")) +
             QStringLiteral(
                 " WHERE t.state IN (%1) OR t.id = %2 OR (t.state IN (%3) AND t.id IN (SELECT other.id FROM "
                 "%4.teranclub_mem mine JOIN %4.teranclub c ON c.table_idx = mine.club_idx JOIN "
                 "%4.teranclub_mem other ON other.club_idx = mine.club_idx WHERE mine.id IN (%5, %2) AND "
                 "mine.level >= 2 AND FIND_IN_SET(t.tb, c.tb) > 0))")
                 .arg(states({PublicationState::Internet, PublicationState::ClubsAndInternet}), callerOffice,
                      states({PublicationState::Clubs}), data(), kLogin),
         true);

    // Accounts: the public columns of every member; the rest of the office's own members only.
    QStringList columns;
    for (const ColumnDef& column : serverTable(QStringLiteral("members")).columns) {
        const QString name = quoted(column.name);
        if (column.name == QLatin1String("memPWD"))
            columns << QStringLiteral("CAST('' AS CHAR) AS %1").arg(name);
        else if (kPublicMemberColumns.contains(column.name))
            columns << QStringLiteral("t.") + name;
        else
            columns << QStringLiteral("IF(t.companyID = %1, t.%2, NULL) AS %2").arg(callerOffice, name);
    }
    view(QStringLiteral("members"),
         QStringLiteral("SELECT %1 FROM %2.members t").arg(columns.join(QStringLiteral(", ")), data()),
         false);
    view(QStringLiteral("my_member"),
         all(QStringLiteral("members")) + QStringLiteral(" WHERE t.companyID = ") + callerOffice, true);

    // The inquiry box and the cash ledger of the office; a message to another office is written
    // into its box (the sender is set by a trigger).
    view(QStringLiteral("mem_paper"),
         all(QStringLiteral("mem_paper")) + QStringLiteral(" WHERE t.toid = ") + callerOffice, false);
    view(QStringLiteral("mem_cash"),
         all(QStringLiteral("mem_cash")) + QStringLiteral(" WHERE t.companyID = ") + callerOffice, false);
    view(QStringLiteral("mem_history"),
         all(QStringLiteral("mem_history")) + QStringLiteral(" WHERE t.id = ") + kLogin, true);
    view(QStringLiteral("teranclub_paper"),
         all(QStringLiteral("teranclub_paper")) +
             QStringLiteral(" WHERE t.toid = %1 OR t.id = %1").arg(kLogin),
         false);
    view(QStringLiteral("mem_moo_mul"),
         all(QStringLiteral("mem_moo_mul")) + QStringLiteral(" WHERE t.`ID` = ") + callerOffice, true);
    for (const QString& table : {QStringLiteral("filebox"), QStringLiteral("mem_msg"), QStringLiteral("post"),
                                 QStringLiteral("subway"), QStringLiteral("teranclub"),
                                 QStringLiteral("teranclub_mem"), QStringLiteral("maemul_days")})
        view(table, all(table), false);
}

// Rows that name their office in `column` are changed only by that office.
void SecuredServer::createTriggers() {
    struct Owned {
        QString table;
        QString column;
    };
    const QList<Owned> owned = {{QStringLiteral("maemul"), QStringLiteral("id")},
                                {QStringLiteral("filebox"), QStringLiteral("ID")},
                                {QStringLiteral("mem_moo_mul"), QStringLiteral("ID")}};
    const QString refuse =
        QStringLiteral("SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = %1").arg(stringLiteral(kRefused));
    for (const Owned& o : owned) {
        const QString column = quoted(o.column);
        const auto trigger = [&](const QString& when, const QString& test) {
            m_admin.execute(
                QStringLiteral("CREATE OR REPLACE DEFINER = CURRENT_USER TRIGGER %1.%2 BEFORE %3 ON "
                               "%1.%4 FOR EACH ROW BEGIN DECLARE caller VARCHAR(50) CHARACTER SET "
                               "utf8mb4 COLLATE utf8mb4_unicode_ci DEFAULT %5.caller_office(); "
                               "IF caller IS NOT NULL AND NOT (%6) THEN %7; END IF; END")
                    .arg(data(), quoted(QStringLiteral("tr_owner_%1_%2").arg(o.table, when.toLower())), when,
                         quoted(o.table), office(), test, refuse));
        };
        trigger(QStringLiteral("INSERT"), QStringLiteral("NEW.%1 <=> caller").arg(column));
        trigger(QStringLiteral("UPDATE"),
                QStringLiteral("OLD.%1 <=> caller AND NEW.%1 <=> caller").arg(column));
        trigger(QStringLiteral("DELETE"), QStringLiteral("OLD.%1 <=> caller").arg(column));
    }
    // A message carries its writer as the sender, whatever the program sends.
    const auto sender = [&](const QString& table, const QString& column, const QString& extra) {
        m_admin.execute(
            QStringLiteral("CREATE OR REPLACE DEFINER = CURRENT_USER TRIGGER %1.%2 BEFORE INSERT ON "
                           "%1.%3 FOR EACH ROW BEGIN IF %4.caller_office() IS NOT NULL THEN SET "
                           "NEW.%5 = %6%7; END IF; END")
                .arg(data(), quoted(QStringLiteral("tr_sender_") + table), quoted(table), office(),
                     quoted(column), kLogin, extra));
    };
    sender(QStringLiteral("mem_paper"), QStringLiteral("fromid"),
           QStringLiteral(", NEW.readok = 0, NEW.readday = NULL"));
    sender(QStringLiteral("teranclub_paper"), QStringLiteral("id"), QString());
}

namespace {

// The routines through which offices change rows that are not theirs alone (their staff's
// accounts, clubs). Each checks its caller; %V is the offices' database, %D the tables', %R the
// role, %L the caller's login name. A failed check signals the text the program shows; a
// routine that makes or changes a row leaves its number in @teran_result (a result set of a
// routine does not come back through a prepared statement).
struct Routine {
    QString name;
    QString parameters;
    QString body;
};

const QList<Routine>& routines() {
    static const QList<Routine> list = {
        {QStringLiteral("staff_save"),
         QStringLiteral(
             "IN p_idx INT, IN p_id VARCHAR(50), IN p_password VARCHAR(200), IN p_name TEXT, "
             "IN p_showname TEXT, IN p_jumin1 TEXT, IN p_jumin2 TEXT, IN p_email TEXT, IN p_addr1 TEXT, "
             "IN p_addr2 TEXT, IN p_addr3 TEXT, IN p_addr4 TEXT, IN p_addrKey TEXT, IN p_homtel TEXT, "
             "IN p_hantel TEXT, IN p_fax TEXT, IN p_bigo TEXT, IN p_startday DATETIME"),
         QStringLiteral(
             "DECLARE office VARCHAR(50) DEFAULT (SELECT companyID FROM %D.members WHERE memID = %L AND "
             "memType = 'A'); "
             "DECLARE staff VARCHAR(50); "
             "IF office IS NULL THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'직원 계정은 사무소 대표 계정만 등록하고 고칠 수 있습니다.'; END IF; "
             "IF p_idx = 0 THEN "
             "  IF p_id IS NULL OR p_id NOT REGEXP '^[A-Za-z0-9_]{3,20}$' THEN SIGNAL SQLSTATE '45000' SET "
             "  MESSAGE_TEXT = '사용할수없는 아이디입니다.'; END IF; "
             "  IF COALESCE(p_password, '') = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "  '비밀번호를 해주셔야합니다.'; END IF; "
             "  IF EXISTS (SELECT 1 FROM %D.members WHERE memID = p_id) OR EXISTS (SELECT 1 FROM "
             "mysql.global_priv "
             "  WHERE User = p_id) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '이미등록된 아이디 "
             "입니다.'; "
             "  END IF; "
             // The account first: its making commits, and a name another desk took meanwhile
             // stops here before any row is written.
             "  SET @teran_sql = CONCAT('CREATE USER ', QUOTE(p_id), '@''%'' IDENTIFIED BY ', "
             "QUOTE(p_password), '%A'); "
             "  PREPARE s FROM @teran_sql; EXECUTE s; DEALLOCATE PREPARE s; "
             "  SET @teran_sql = CONCAT('GRANT %R TO ', QUOTE(p_id), '@''%'''); "
             "  PREPARE s FROM @teran_sql; EXECUTE s; DEALLOCATE PREPARE s; "
             "  SET @teran_sql = CONCAT('SET DEFAULT ROLE %R FOR ', QUOTE(p_id), '@''%'''); "
             "  PREPARE s FROM @teran_sql; EXECUTE s; DEALLOCATE PREPARE s; "
             "  INSERT INTO %D.members(companyID, memID, memType, memPWD, name, showname, jumin1, jumin2, "
             "email, "
             "  addr1, addr2, addr3, addr4, addrKey, homtel, hantel, fax, bigo, startday, writeday) "
             "VALUES(office, "
             "  p_id, 'B', '', p_name, p_showname, p_jumin1, p_jumin2, p_email, p_addr1, p_addr2, p_addr3, "
             "  p_addr4, p_addrKey, p_homtel, p_hantel, p_fax, p_bigo, p_startday, NOW()); "
             "  SET @teran_result = LAST_INSERT_ID(); "
             "ELSE "
             "  SET staff = (SELECT memID FROM %D.members WHERE mem_idx = p_idx AND companyID = office AND "
             "  memType IN ('B', 'X')); "
             "  IF staff IS NULL THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "  '다른 사무소의 자료는 바꿀 수 없습니다.'; END IF; "
             "  UPDATE %D.members SET name = p_name, showname = p_showname, jumin1 = p_jumin1, jumin2 = "
             "p_jumin2, "
             "  email = p_email, addr1 = p_addr1, addr2 = p_addr2, addr3 = p_addr3, addr4 = p_addr4, addrKey "
             "= "
             "  p_addrKey, homtel = p_homtel, hantel = p_hantel, fax = p_fax, bigo = p_bigo, startday = "
             "  p_startday WHERE mem_idx = p_idx; "
             "  IF COALESCE(p_password, '') <> '' THEN "
             "    SET @teran_sql = CONCAT('ALTER USER ', QUOTE(staff), '@''%'' IDENTIFIED BY ', "
             "QUOTE(p_password), '%A'); "
             "    PREPARE s FROM @teran_sql; EXECUTE s; DEALLOCATE PREPARE s; "
             "  END IF; "
             "  SET @teran_result = p_idx; "
             "END IF;")},
        {QStringLiteral("staff_lock"), QStringLiteral("IN p_id VARCHAR(50), IN p_locked INT"),
         QStringLiteral(
             "DECLARE office VARCHAR(50) DEFAULT (SELECT companyID FROM %D.members WHERE memID = %L AND "
             "memType = 'A'); "
             "IF office IS NULL OR NOT EXISTS (SELECT 1 FROM %D.members WHERE memID = p_id AND companyID = "
             "office "
             "AND memType IN ('B', 'X')) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'직원 계정은 사무소 대표 계정만 등록하고 고칠 수 있습니다.'; END IF; "
             "SET @teran_sql = CONCAT('ALTER USER ', QUOTE(p_id), '@''%'' ACCOUNT ', IF(p_locked <> 0, "
             "'LOCK', "
             "'UNLOCK')); "
             "PREPARE s FROM @teran_sql; EXECUTE s; DEALLOCATE PREPARE s; "
             // "X": a disabled staff account, which the views no longer take as a member either.
             "UPDATE %D.members SET memType = IF(p_locked <> 0, 'X', 'B') WHERE memID = p_id;")},
        {QStringLiteral("club_save"),
         QStringLiteral("IN p_idx INT, IN p_name TEXT, IN p_kind TEXT, IN p_tb TEXT, IN p_content TEXT"),
         QStringLiteral(
             "DECLARE made INT; "
             "DECLARE EXIT HANDLER FOR SQLEXCEPTION BEGIN ROLLBACK; RESIGNAL; END; "
             "IF COALESCE(%V.caller_office(), '') = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'다른 사무소의 자료는 바꿀 수 없습니다.'; END IF; "
             "IF COALESCE(p_name, '') = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '클럽명을 "
             "적어주세요.'; "
             "END IF; "
             "IF COALESCE(p_kind, '') = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '모임형태를 "
             "적어주세요.'; "
             "END IF; "
             "IF COALESCE(p_tb, '') = '' THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'공유하고자 하는 종목을 선택하여 주세요.'; END IF; "
             "IF p_idx = 0 THEN "
             "  START TRANSACTION; "
             "  INSERT INTO %D.teranclub(id, clubname, kind, tb, content) VALUES(%L, p_name, p_kind, p_tb, "
             "  p_content); "
             "  SET made = LAST_INSERT_ID(); "
             "  INSERT INTO %D.teranclub_mem(club_idx, id, level, writeday) VALUES(made, %L, 3, NOW()); "
             "  COMMIT; "
             "  SET @teran_result = made; "
             "ELSE "
             "  IF NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) THEN SIGNAL "
             "  SQLSTATE '45000' SET MESSAGE_TEXT = '클럽회장만 할 수 있습니다.'; END IF; "
             "  UPDATE %D.teranclub SET clubname = p_name, kind = p_kind, tb = p_tb, content = p_content "
             "WHERE "
             "  table_idx = p_idx; "
             "  SET @teran_result = p_idx; "
             "END IF;")},
        {QStringLiteral("club_delete"), QStringLiteral("IN p_idx INT"),
         QStringLiteral("DECLARE memberships INT DEFAULT (SELECT COUNT(*) FROM %D.teranclub_mem WHERE "
                        "club_idx = p_idx); "
                        "DECLARE said TEXT; "
                        "DECLARE EXIT HANDLER FOR SQLEXCEPTION BEGIN ROLLBACK; RESIGNAL; END; "
                        "IF NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) THEN "
                        "SIGNAL SQLSTATE "
                        "'45000' SET MESSAGE_TEXT = '클럽회장만 할 수 있습니다.'; END IF; "
                        "IF memberships >= 2 THEN SET said = CONCAT('가입되어있는 회원(', memberships - 1, "
                        "'명)이 남아있어 삭제할 수가 없습니다.'); SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
                        "said; END IF; "
                        "START TRANSACTION; "
                        "DELETE FROM %D.teranclub WHERE table_idx = p_idx; "
                        "DELETE FROM %D.teranclub_mem WHERE club_idx = p_idx; "
                        "COMMIT;")},
        {QStringLiteral("club_join"), QStringLiteral("IN p_idx INT"),
         QStringLiteral(
             "IF COALESCE(%V.caller_office(), '') = '' OR NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE "
             "table_idx "
             "= p_idx) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '클럽이 없습니다.'; END IF; "
             "IF EXISTS (SELECT 1 FROM %D.teranclub_mem WHERE club_idx = p_idx AND id = %L) THEN SIGNAL "
             "SQLSTATE "
             "'45000' SET MESSAGE_TEXT = '이미 가입된 클럽입니다.'; END IF; "
             "INSERT INTO %D.teranclub_mem(club_idx, id, level, writeday) VALUES(p_idx, %L, 1, NOW());")},
        {QStringLiteral("club_leave"), QStringLiteral("IN p_idx INT"),
         QStringLiteral(
             "IF EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) THEN SIGNAL "
             "SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'클럽회장은 탈퇴할 수 없습니다. 회장을 넘기거나 클럽을 삭제하세요.'; END IF; "
             "DELETE FROM %D.teranclub_mem WHERE club_idx = p_idx AND id = %L;")},
        {QStringLiteral("club_change_chair"), QStringLiteral("IN p_idx INT, IN p_new VARCHAR(50)"),
         QStringLiteral(
             "DECLARE said TEXT; "
             "DECLARE EXIT HANDLER FOR SQLEXCEPTION BEGIN ROLLBACK; RESIGNAL; END; "
             "IF NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) THEN SIGNAL "
             "SQLSTATE "
             "'45000' SET MESSAGE_TEXT = '클럽회장만 할 수 있습니다.'; END IF; "
             "IF p_new = %L OR NOT EXISTS (SELECT 1 FROM %D.teranclub_mem WHERE club_idx = p_idx AND id = "
             "p_new) "
             "THEN SET said = CONCAT('''', COALESCE(p_new, ''), ''' 님은 클럽에 등록된 회원이 아닙니다.'); "
             "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = said; END IF; "
             "START TRANSACTION; "
             "UPDATE %D.teranclub SET id = p_new WHERE table_idx = p_idx; "
             "UPDATE %D.teranclub_mem SET level = 2 WHERE club_idx = p_idx AND id = %L; "
             "UPDATE %D.teranclub_mem SET level = 3 WHERE club_idx = p_idx AND id = p_new; "
             "COMMIT;")},
        {QStringLiteral("club_set_level"),
         QStringLiteral("IN p_idx INT, IN p_id VARCHAR(50), IN p_level INT"),
         QStringLiteral(
             "IF NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) OR p_id = %L "
             "THEN "
             "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '클럽회장만 할 수 있습니다.'; END IF; "
             "IF p_level IS NULL OR p_level NOT IN (1, 2) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
             "'회원 등급은 준회원(1)이나 정회원(2)입니다.'; END IF; "
             "UPDATE %D.teranclub_mem SET level = p_level WHERE club_idx = p_idx AND id = p_id;")},
        {QStringLiteral("club_remove"), QStringLiteral("IN p_idx INT, IN p_id VARCHAR(50)"),
         QStringLiteral("IF NOT EXISTS (SELECT 1 FROM %D.teranclub WHERE table_idx = p_idx AND id = %L) OR "
                        "p_id = %L THEN "
                        "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = '클럽회장만 할 수 있습니다.'; END IF; "
                        "DELETE FROM %D.teranclub_mem WHERE club_idx = p_idx AND id = p_id;")},
    };
    return list;
}

} // namespace

void SecuredServer::createProcedures() {
    for (const Routine& routine : routines()) {
        QString body = routine.body;
        body.replace(QStringLiteral("%V"), office())
            .replace(QStringLiteral("%D"), data())
            .replace(QStringLiteral("%R"), role())
            .replace(QStringLiteral("%L"), kLogin)
            .replace(QStringLiteral("%A"), memberAccountOptions());
        m_admin.execute(
            QStringLiteral("CREATE OR REPLACE DEFINER = CURRENT_USER PROCEDURE %1.%2(%3) MODIFIES SQL "
                           "DATA SQL SECURITY DEFINER BEGIN %4 END")
                .arg(office(), quoted(routine.name), routine.parameters, body));
    }
}

void SecuredServer::grantRole() {
    m_admin.execute(QStringLiteral("CREATE ROLE IF NOT EXISTS ") + role());
    const auto grant = [&](const QString& what, const QString& object) {
        m_admin.execute(
            QStringLiteral("GRANT %1 ON %2.%3 TO %4").arg(what, office(), quoted(object), role()));
    };
    grant(QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("maemul"));
    grant(QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("filebox"));
    grant(QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("mem_moo_mul"));
    grant(QStringLiteral("SELECT"), QStringLiteral("members"));
    grant(QStringLiteral("SELECT, UPDATE (%1)").arg(kOwnMemberActivity.join(QStringLiteral(", "))),
          QStringLiteral("my_member"));
    grant(QStringLiteral("SELECT, INSERT, DELETE, UPDATE (readok, readday)"), QStringLiteral("mem_paper"));
    grant(QStringLiteral("SELECT, INSERT"), QStringLiteral("mem_history"));
    grant(QStringLiteral("SELECT, INSERT"), QStringLiteral("teranclub_paper"));
    for (const QString& table :
         {QStringLiteral("mem_cash"), QStringLiteral("mem_msg"), QStringLiteral("post"),
          QStringLiteral("subway"), QStringLiteral("teranclub"), QStringLiteral("teranclub_mem"),
          QStringLiteral("maemul_days")})
        grant(QStringLiteral("SELECT"), table);
    for (const Routine& routine : routines())
        m_admin.execute(QStringLiteral("GRANT EXECUTE ON PROCEDURE %1.%2 TO %3")
                            .arg(office(), quoted(routine.name), role()));
}

namespace {

// The account of a member, after its name is checked (it goes into the statement's text).
QString memberAccount(const QString& memberId) {
    if (!isAccountName(memberId))
        throw StoreError(QStringLiteral("'%1' cannot name an account").arg(memberId), kSource);
    return QStringLiteral("%1@'%'").arg(stringLiteral(memberId));
}

} // namespace

// Makes the account, or gives it the password when it is there, and the options it is held to.
// The password travels as its hash, whose hex digits are safe in the statement's text.
void SecuredServer::makeAccount(const QString& account, const QString& password, const QString& options) {
    const QString hash =
        stringLiteral(m_admin.scalar(QStringLiteral("SELECT PASSWORD(?)"), {password}).toString());
    m_admin.execute(
        QStringLiteral("CREATE USER IF NOT EXISTS %1 IDENTIFIED BY PASSWORD %2").arg(account, hash));
    m_admin.execute(QStringLiteral("ALTER USER %1 IDENTIFIED BY PASSWORD %2%3").arg(account, hash, options));
}

void SecuredServer::setAccount(const QString& memberId, const QString& password) {
    const QString account = memberAccount(memberId);
    makeAccount(account, password, memberAccountOptions());
    m_admin.execute(QStringLiteral("GRANT %1 TO %2").arg(role(), account));
    m_admin.execute(QStringLiteral("SET DEFAULT ROLE %1 FOR %2").arg(role(), account));
}

QString SecuredServer::setGatewayAccount(const QString& password) {
    const QString name = gatewayAccountOf(m_officeDatabase);
    const QString account = QStringLiteral("%1@'%'").arg(stringLiteral(name));
    makeAccount(account, password, QStringLiteral(" REQUIRE SSL"));
    // Exactly what the gateway does, whatever the account held before: it finds the office of a
    // gateway account, sums the office's cash and writes one ledger row per message.
    m_admin.execute(QStringLiteral("REVOKE ALL PRIVILEGES, GRANT OPTION FROM %1").arg(account));
    m_admin.execute(QStringLiteral("GRANT SELECT (user_id, password_hash, office) ON %1.sms_account TO %2")
                        .arg(data(), account));
    m_admin.execute(QStringLiteral("GRANT SELECT (companyID, `Money`), INSERT (companyID, `ID`, `Type`, "
                                   "`Money`, content, writeday) ON %1.mem_cash TO %2")
                        .arg(data(), account));
    return name;
}

void SecuredServer::lockAccount(const QString& memberId, bool locked) {
    m_admin.execute(
        QStringLiteral("ALTER USER %1 ACCOUNT %2")
            .arg(memberAccount(memberId), locked ? QStringLiteral("LOCK") : QStringLiteral("UNLOCK")));
}

void SecuredServer::dropAccount(const QString& memberId) {
    m_admin.execute(QStringLiteral("DROP USER IF EXISTS ") + memberAccount(memberId));
}

bool SecuredServer::holdsTables() const {
    return m_admin
               .scalar(
                   QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = ? AND "
                                  "TABLE_NAME = 'members' AND TABLE_TYPE = 'BASE TABLE'"),
                   {m_officeDatabase}, 0)
               .toInt() > 0;
}

void SecuredServer::moveTables() {
    makeDataDatabase();
    // A table moves to another database only without its triggers; the schema's upgrade makes
    // the counting triggers again on the moved table.
    QSqlQuery triggers = m_admin.query(
        QStringLiteral("SELECT TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = ?"),
        {m_officeDatabase});
    QStringList names;
    while (triggers.next())
        names << triggers.value(0).toString();
    for (const QString& name : names)
        m_admin.execute(QStringLiteral("DROP TRIGGER IF EXISTS %1.%2").arg(office(), quoted(name)));
    QSqlQuery tables = m_admin.query(QStringLiteral("SELECT TABLE_NAME FROM information_schema.TABLES WHERE "
                                                    "TABLE_SCHEMA = ? AND TABLE_TYPE = 'BASE TABLE'"),
                                     {m_officeDatabase});
    QStringList moves;
    while (tables.next())
        moves << QStringLiteral("%1.%2 TO %3.%2").arg(office(), quoted(tables.value(0).toString()), data());
    if (!moves.isEmpty())
        m_admin.execute(QStringLiteral("RENAME TABLE ") + moves.join(QStringLiteral(", ")));
}

int SecuredServer::accountsFromKeptPasswords() {
    QSqlQuery kept = m_admin.query(
        QStringLiteral("SELECT memID, memPWD FROM %1.members WHERE memPWD IS NOT NULL AND memPWD <> ''")
            .arg(data()));
    QList<std::pair<QString, QString>> accounts;
    while (kept.next())
        accounts.append({kept.value(0).toString(), kept.value(1).toString()});
    int made = 0;
    for (const auto& [id, password] : accounts) {
        if (!isAccountName(id))
            continue; // such an id cannot log in as an account; its password stays for the vendor
        setAccount(id, password);
        m_admin.execute(QStringLiteral("UPDATE %1.members SET memPWD = '' WHERE memID = ?").arg(data()),
                        {id});
        ++made;
    }
    return made;
}

ReferenceFillReport prepareSecuredServer(const StoreUrl& adminUrl, const ServerTextValues& texts) {
    SqlStore admin(QStringLiteral("secure-server-admin"));
    admin.open(adminUrl);
    SecuredServer server(admin, adminUrl.database);
    if (server.holdsTables())
        server.moveTables();
    server.makeDataDatabase();
    ReferenceFillReport filled;
    {
        StoreUrl dataUrl = adminUrl;
        dataUrl.database = SecuredServer::dataDatabaseOf(adminUrl.database);
        SqlStore tables(QStringLiteral("secure-server-data"));
        tables.open(dataUrl);
        // Every member logs in to the picture server with its own account: no FTP password is
        // kept in the texts that every office reads (one from before is emptied).
        ServerTextValues withoutFtp = texts;
        withoutFtp.ftpPassword.clear();
        initServerStore(tables, withoutFtp);
        tables.execute(QStringLiteral("UPDATE mem_msg SET content = '' WHERE table_idx = 8"));
        filled = fillEmptyReferenceTables(tables);
    }
    server.secure();
    return filled;
}

void addSecuredOffice(SqlStore& admin, SqlStore& tables, const QString& officeDatabase,
                      const NewOffice& office) {
    memberAccount(office.id); // a name no account can have stops before the row is written
    NewOffice row = office;
    row.password.clear(); // MariaDB keeps it
    addOffice(tables, row);
    SecuredServer(admin, officeDatabase).setAccount(office.id, office.password);
}

} // namespace teran
