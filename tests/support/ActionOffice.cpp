#include "ActionOffice.h"

#include <QDir>
#include <QFile>

namespace teran::test {

std::unique_ptr<ActionOffice> ActionOffice::make(Backend backend) {
    std::unique_ptr<ActionOffice> made(new ActionOffice);
    made->m_office = OfficeFixture::make(backend);
    if (!made->m_office)
        return nullptr;
    made->m_ftp = ftpService();
    if (made->m_ftp) {
        made->m_office->config.ftpHost = made->m_ftp->host;
        made->m_office->config.ftpPort = made->m_ftp->port;
        made->m_office->config.ftpUser = made->m_ftp->user;
    }
    // The letter ends the id, so that no number after it can make another test's picture name.
    made->m_officeId = uniqueName(QStringLiteral("of")) + QStringLiteral("x");
    made->m_session = made->m_office->session();
    if (!made->m_session->MdbsqlConnOpen())
        return nullptr;
    made->m_session->InternetCheck();
    // The vendor server must be there: a test that goes on without it would test nothing.
    if (!made->m_session->serverOpen())
        return nullptr;
    SessionState& state = made->m_session->state();
    state.LoginId = made->m_officeId;
    state.OfficeMainId = made->m_officeId;
    state.OnlineMode = QStringLiteral("yes");
    state.FtpPassword = made->m_ftp ? made->m_ftp->password : QString();
    return made;
}

ActionOffice::~ActionOffice() {
    m_office->outlets.clear(); // the windows kept there, before their session goes
    if (!m_ftp)
        return;
    QDir remote(QDir(m_ftp->root).filePath(QStringLiteral("docs/files")));
    for (const QString& name : remote.entryList({m_officeId + QLatin1Char('*')}, QDir::Files))
        remote.remove(name);
}

ListingActions ActionOffice::actions() {
    ListingActions made(*m_session);
    made.setProgress([this](const QString& text) { progressTexts << text; });
    return made;
}

int ActionOffice::addListing(const ListingRow& columns) {
    ListingRow row{{"tb", "apt"},
                   {"ty", "M"},
                   {"id", m_officeId},
                   {"subid", m_officeId},
                   {"state", 0},
                   {"cboname", "래미안"},
                   {"addr1", "서울"},
                   {"money_m", 85000},
                   {"uname", "홍길동"},
                   {"uhp", "010-1111-2222"},
                   {"showday", QDateTime(QDate(2026, 11, 1), QTime(9, 0))},
                   {"writeday", QDateTime(QDate(2026, 10, 1), QTime(9, 0))},
                   {"hitadd", 2},
                   {"hitmem", 1}};
    for (auto it = columns.constBegin(); it != columns.constEnd(); ++it)
        row.insert(it.key(), it.value());
    return insertLocal(local(), row);
}

int ActionOffice::addPublished(int state, const ListingRow& columns) {
    ListingRow withState = columns;
    withState.insert(QStringLiteral("state"), state);
    const int number = addListing(withState);
    ListingRow copy{{"id", m_officeId},
                    {"sub_idx", number},
                    {"tb", withState.value("tb", "apt")},
                    {"ty", "M"},
                    {"subid", withState.value("subid", m_officeId)},
                    {"state", state},
                    {"imgname1", withState.value("imgname1")},
                    {"imgname2", withState.value("imgname2")},
                    {"showday", QDateTime(QDate(2026, 11, 2), QTime(9, 0))},
                    {"hitadd", 2},
                    {"hitmem", 1}};
    insertServer(server(), copy);
    return number;
}

int ActionOffice::localState(int number) {
    return local()
        .scalar(QStringLiteral("SELECT state FROM maemul WHERE table_idx = ?"), {number}, -1)
        .toInt();
}

std::optional<int> ActionOffice::serverState(int number) {
    const QVariant state = server().scalar(
        QStringLiteral("SELECT state FROM maemul WHERE id = ? AND sub_idx = ?"), {m_officeId, number});
    return state.isValid() ? std::optional<int>(state.toInt()) : std::nullopt;
}

int ActionOffice::serverCount(const QString& officeId) {
    return server().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = ?"), {officeId}, 0).toInt();
}

QVariant ActionOffice::serverColumn(int number, const QString& column) {
    return server().scalar(QStringLiteral("SELECT `%1` FROM maemul WHERE id = ? AND sub_idx = ?").arg(column),
                           {m_officeId, number});
}

QList<ListingPick> ActionOffice::picks(const QList<int>& numbers) {
    QList<ListingPick> list;
    for (int number : numbers)
        list << ListingPick{number, QStringLiteral("매물%1").arg(number)};
    return list;
}

QString ActionOffice::localPicture(const QString& name) const {
    return QDir(m_session->dataFolder().files()).filePath(name);
}

QString ActionOffice::remotePicture(const QString& name) const {
    if (!m_ftp)
        return QString(); // no FTP server, no remote picture
    return QDir(m_ftp->root).filePath(QStringLiteral("docs/files/") + name);
}

namespace {
bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

bool ActionOffice::writeLocalPicture(const QString& name) {
    return writeFile(localPicture(name), name.toUtf8());
}

bool ActionOffice::writeRemotePicture(const QString& name) {
    return writeFile(remotePicture(name), "stale " + name.toUtf8());
}

QString pictureName(const QString& officeId, int number, int slotSuffix, const QString& extension) {
    return QStringLiteral("%1%2_%3.%4").arg(officeId).arg(number).arg(slotSuffix).arg(extension);
}

} // namespace teran::test
