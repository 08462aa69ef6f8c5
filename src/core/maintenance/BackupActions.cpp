#include "BackupActions.h"

#include "AutoBackup.h"
#include "ListingCsvFields.h"
#include "ListingCsvImport.h"
#include "OfficeBackup.h"
#include "core/register/RegisterTexts.h"
#include "core/session/Session.h"
#include "core/session/UserFolders.h"

#include <QDir>

namespace teran {

namespace {

const QString kRestoreTitle = QStringLiteral("데이터 복구");
// The questions before a backup is written and before staff may write one.
const QString kBackupTitle = QStringLiteral("데이터 백업");
const QString kImportTitle = QStringLiteral("데이터 가져오기");

// Why a file was refused: a fault of one line names the line and the field by its caption; a
// fault of the whole file (no header, no type column) is said as it is.
QString refusalText(const listingText::ImportRefused& refused) {
    const QString named =
        refused.column().isEmpty()
            ? refused.reason()
            : QStringLiteral("%1: %2").arg(listingCsv::captionOfColumn(refused.column()), refused.reason());
    QString text = named;
    if (refused.line() > 0) {
        text = QStringLiteral("%1 번째 Line Text 데이타가 형식에 맞지않아 입력이 거부 되었습니다.")
                   .arg(refused.line());
        if (!refused.column().isEmpty())
            text += QStringLiteral("\r\n(%1)").arg(named);
    }
    return text + QStringLiteral("\r\n\r\n다시 확인하신후 실행하여 주십시요.");
}

QString heldQuestion(int held) {
    return QStringLiteral("가져올 매물 중 %1건은 같은 소재지(지번, 호수)의 매물이 이미 있습니다.\r\n\r\n"
                          "'예'를 누르시면 모두 등록하고, '아니오'를 누르시면 아무것도 등록하지 "
                          "않습니다.\r\n\r\n모두 등록하시겠습니까 ?")
        .arg(held);
}

} // namespace

BackupActions::BackupActions(Session& session)
    : m_session(session) {}

QString BackupActions::proposedTextFile() const {
    return QDir(documents())
        .filePath(QStringLiteral("TeranTextBackup_") +
                  m_session.clock().now().toString(QStringLiteral("yyyyMMddHms")) + QStringLiteral(".txt"));
}

bool BackupActions::exportText(listingText::ExportChoice choice, const QString& path) {
    Dialogs& dialogs = m_session.dialogs();
    const QString title = QStringLiteral("백업하기");
    if (choice.types.isEmpty()) {
        dialogs.message(QStringLiteral("백업할 종목을 선택하지 않으셨습니다."), title, DialogIcon::Warning,
                        DialogButtons::Ok);
        return false;
    }
    if (path.isEmpty()) {
        dialogs.message(QStringLiteral("백업할 경로를 지정하지 않으셨습니다."), title, DialogIcon::Warning,
                        DialogButtons::Ok);
        return false;
    }
    if (!isMainAccount())
        choice.staffOnly = m_session.state().LoginId;
    try {
        const qint64 found = listingText::countListings(m_session.listingStore(), choice);
        if (found == 0) {
            dialogs.inform(QStringLiteral("백업할 데이터가 검색되지 않았습니다."),
                           QStringLiteral("Text 데이터백업"));
            return false;
        }
        if (!dialogs.askYesNo(
                QStringLiteral("%1개의 데이터를 \r\n\r\n%2\r\n\r\n경로로 저장합니다. 실행하시겠습니까 ?")
                    .arg(found)
                    .arg(path),
                kBackupTitle))
            return false;
        const qint64 written = listingText::exportListings(m_session.listingStore(), choice, path);
        dialogs.inform(QStringLiteral("%1  \r\n\r\n위 경로로 백업 %2건을 성공적으로 완료하였습니다.")
                           .arg(path)
                           .arg(written),
                       QStringLiteral("백업완료"));
        return true;
    } catch (const StoreError& error) {
        m_session.WriteLog(QStringLiteral("MdbGroupQuery => %1 --> %2 => %3")
                               .arg(error.sql(), error.description(), error.source()));
        dialogs.critical(error.description(), title);
    } catch (const std::runtime_error& error) {
        m_session.WriteLog(QStringLiteral("MdbGroupQuery => %1 --> %2 => frmBackup")
                               .arg(path, QString::fromStdString(error.what())));
        dialogs.critical(QString::fromStdString(error.what()), title);
    }
    return false;
}

QString BackupActions::chooseImportFile() {
    return m_session.dialogs().openFileName(
        QString(), documents(), QStringLiteral("매물 파일 (*.txt *.csv);;모든파일 (*.txt);;CSV (*.csv)"));
}

bool BackupActions::isSheetFile(const QString& path) {
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

std::optional<listingCsv::Preview> BackupActions::previewSheet(const QString& path) {
    try {
        return listingCsv::preview(path);
    } catch (const listingText::ImportRefused& refused) {
        m_session.dialogs().critical(refused.reason(), QStringLiteral("Text 데이터 형식 오류"));
        return std::nullopt;
    }
}

bool BackupActions::importText() {
    const QString path = chooseImportFile();
    return !path.isEmpty() && importFile(path, {});
}

bool BackupActions::importFile(const QString& path, const QStringList& mapping,
                               const listingText::Progress& progress) {
    Dialogs& dialogs = m_session.dialogs();
    if (!dialogs.askYesNo(path + QStringLiteral("\r\n\r\n위 파일을 매물로 등록합니다. 실행 하시겠습니까 ?"),
                          kImportTitle))
        return false;
    try {
        const QString& office = m_session.state().OfficeMainId;
        const QString& login = m_session.state().LoginId;
        SqlStore& store = m_session.listingStore();
        QList<int> numbers;
        if (isSheetFile(path)) {
            const listingCsv::SheetListings read =
                listingCsv::readListings(path, mapping, office, login, m_session.clock().now());
            const int held = listingCsv::heldOnTheirLots(store, read.rows);
            if (held > 0 && !dialogs.askYesNo(heldQuestion(held), RegisterTexts::duplicateTitle()))
                return false;
            numbers = listingText::insertListings(store, read.rows, progress);
        } else {
            numbers = listingText::importListings(store, path, office, login, progress);
        }
        dialogs.inform(QStringLiteral("Text 매물 %1건 등록을 완료하였습니다.").arg(numbers.size()),
                       QStringLiteral("Text 매물등록"));
        return true;
    } catch (const listingText::ImportRefused& refused) {
        m_session.WriteLog(
            QStringLiteral("MdbGroupQuery => %1 --> %2 => frmBackup").arg(path, refused.reason()));
        dialogs.critical(refusalText(refused), QStringLiteral("Text 데이터 형식 오류"));
    } catch (const StoreError& error) {
        m_session.WriteLog(QStringLiteral("MdbGroupQuery => %1 --> %2 => %3")
                               .arg(path, error.description(), error.source()));
        dialogs.critical(error.description(), kImportTitle);
    }
    return false;
}

QString BackupActions::backupArea(const DataFolder& data) {
    return data.path(QStringLiteral("backup"));
}

void BackupActions::dailyBackup() {
    try {
        AutoBackup daily(
            OfficeBackup(m_session.listingUrl(), m_session.dataFolder(), m_session.state().OfficeMainId),
            backupArea(m_session.dataFolder()));
        const QString made = daily.run(m_session.clock().now().date());
        if (!made.isEmpty())
            m_session.WriteLog(QStringLiteral("자동백업 => ") + made);
    } catch (const BackupError& error) {
        m_session.WriteLog(QStringLiteral("자동백업 => ") + error.reason());
    }
}

bool BackupActions::isMainAccount() const {
    return m_session.state().LoginId == m_session.state().OfficeMainId;
}

BackupPermissions BackupActions::permissions() {
    if (isMainAccount())
        return {true, true, true};
    return SettingsStore::ofOffice(m_session).backupPermissions();
}

bool BackupActions::allowStaff(BackupAction action, bool allowed) {
    if (allowed) {
        const QString crlf = QStringLiteral("\r\n");
        const QString head = QStringLiteral("선택하신 옵션에 체크를 하시면 ") + crlf + crlf;
        const QString text =
            action == BackupAction::TextImport
                ? head + QStringLiteral("연결된 직원들이 Text 데이터 등록작업을 수행하실 수 있습니다.") +
                      crlf + crlf + QStringLiteral("실행 하시겠습니까 ?")
                : head + QStringLiteral("연결된 직원들이 데이터 백업작업을 수행하실 수 있습니다.") + crlf +
                      crlf + QStringLiteral("※ 주의") + crlf +
                      QStringLiteral("본옵션을 선택하시면 직원간에 매물 유출 위험이 있으니,") + crlf +
                      m_session.state().OfficeMainId +
                      QStringLiteral("회원님께서 철저하게 관리를 하셔야 합니다.");
        const QString title = action == BackupAction::TextImport ? kImportTitle : kBackupTitle;
        if (!m_session.dialogs().askYesNo(text, title))
            return SettingsStore::ofOffice(m_session).backupPermissions().allows(action);
    }
    SettingsStore::ofOffice(m_session).setBackupAllowed(action, allowed);
    return allowed;
}

QString BackupActions::proposedName(const QDate& day) {
    return QStringLiteral("TeranBackup_") + day.toString(QStringLiteral("yyyyMMdd"));
}

QString BackupActions::documents() const {
    return userDocumentsFolder();
}

QString BackupActions::backupTitle() {
    return kBackupTitle;
}

QString BackupActions::restoreTitle() {
    return kRestoreTitle;
}

QString BackupActions::stepText(const QString& step) {
    if (step == QLatin1String("rd"))
        return QStringLiteral("설정 파일을 복사하는중입니다.");
    if (step == QLatin1String("files"))
        return QStringLiteral("사진 파일을 복사하는중입니다.");
    return QStringLiteral("사무실 자료를 복사하는중입니다.");
}

namespace {

// The copy's steps in the user's words; the empty step when it is over, whichever way it ended.
class SaidProgress {
public:
    explicit SaidProgress(const BackupProgress& progress)
        : m_progress(progress) {}
    ~SaidProgress() { over(); }
    SaidProgress(const SaidProgress&) = delete;
    SaidProgress& operator=(const SaidProgress&) = delete;

    BackupProgress said() const {
        if (!m_progress)
            return {};
        return [this](const QString& step, qint64 done, qint64 total) {
            return m_progress(BackupActions::stepText(step), done, total);
        };
    }
    void over() {
        if (m_progress && !m_over)
            m_progress(QString(), 0, 0);
        m_over = true;
    }

private:
    const BackupProgress& m_progress;
    bool m_over = false;
};

} // namespace

bool BackupActions::fullBackup(const BackupProgress& progress) {
    Dialogs& dialogs = m_session.dialogs();
    const QString path = dialogs.saveFileName(
        QString(), QDir(documents()).filePath(proposedName(m_session.clock().now().date())),
        QStringLiteral("모든파일 (*.*)"));
    if (path.isEmpty()) {
        dialogs.critical(QStringLiteral("경로를 지정하지 않으셨습니다."));
        return false;
    }
    if (!dialogs.askYesNo(path + QStringLiteral("로 백업을 시작합니다.\r\n\r\n실행 하시겠습니까?"),
                          kBackupTitle))
        return false;
    SaidProgress shown(progress);
    try {
        OfficeBackup(m_session.listingUrl(), m_session.dataFolder(), m_session.state().OfficeMainId)
            .backupTo(path, shown.said());
        shown.over();
    } catch (const BackupError& error) {
        shown.over();
        m_session.WriteLog(QStringLiteral("dogubackupSvr => %1 => %2").arg(path, error.reason()));
        dialogs.critical(error.reason(), QStringLiteral("백업하기"));
        return false;
    }
    dialogs.inform(path + QStringLiteral(" 로 백업을 완료하였습니다."), QStringLiteral("백업완료"));
    return true;
}

bool BackupActions::restore(const BackupProgress& progress) {
    Dialogs& dialogs = m_session.dialogs();
    if (m_session.listingUrl().backend != SqlBackend::Sqlite) {
        dialogs.inform(
            QStringLiteral("MariaDB에 둔 사무실 자료는 관리자가 teran-admin copy-office로 되돌립니다."),
            kRestoreTitle);
        return false;
    }
    const QString backup = dialogs.existingFolder(kRestoreTitle, documents());
    if (backup.isEmpty())
        return false;
    const QString officeId = m_session.state().OfficeMainId;
    BackupManifest manifest;
    try {
        manifest = OfficeBackup::check(backup, officeId);
    } catch (const BackupError& error) {
        dialogs.critical(error.reason() + QStringLiteral("\r\n\r\n아무것도 바꾸지 않았습니다."),
                         kRestoreTitle);
        return false;
    }
    const QString question =
        QStringLiteral(
            "%1 에 만든 백업(매물 %2건)으로 사무실 자료를 되돌립니다.\r\n\r\n지금 자료는 데이터 폴더의 "
            "backup 폴더에 남겨 둡니다. 다른 컴퓨터에서 프로그램을 닫은 뒤에 실행하십시오.\r\n\r\n"
            "실행 하시겠습니까?")
            .arg(manifest.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
            .arg(manifest.listings);
    if (!dialogs.askYesNoCarefully(question, kRestoreTitle))
        return false;
    const QString safety = safetyFolderFor(m_session.dataFolder(), m_session.clock().now());
    m_session.listingStore().close();
    SaidProgress shown(progress);
    try {
        const RestoreReport report =
            restoreOffice(backup, m_session.dataFolder(), officeId, safety, shown.said());
        shown.over();
        m_session.ensureOpen();
        dialogs.inform(QStringLiteral("%1 에 만든 백업으로 되돌렸습니다 (매물 %2건).\r\n\r\n이전 자료: %3")
                           .arg(report.restored.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                           .arg(report.restored.listings)
                           .arg(report.safetyCopy),
                       kRestoreTitle);
        return true;
    } catch (const BackupError& error) {
        shown.over();
        m_session.ensureOpen();
        m_session.WriteLog(QStringLiteral("restore => %1 => %2").arg(backup, error.reason()));
        dialogs.critical(error.reason(), kRestoreTitle);
        return false;
    }
}

} // namespace teran
