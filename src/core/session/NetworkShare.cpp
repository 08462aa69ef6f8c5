#include "NetworkShare.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#ifdef Q_OS_LINUX
#include <sys/vfs.h>
#endif

namespace teran {

bool isOnNetworkShare(const QString& path) {
#ifdef Q_OS_LINUX
    struct statfs info {};
    const QByteArray folder = QFileInfo(path).absolutePath().toLocal8Bit();
    if (statfs(folder.constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE (sshfs and the like)
        return true;
    default:
        return false;
    }
#else
    Q_UNUSED(path);
    return false;
#endif
}

bool isInCloudFolder(const QString& path) {
    static const QStringList services{QStringLiteral("dropbox"),      QStringLiteral("onedrive"),
                                      QStringLiteral("google drive"), QStringLiteral("googledrive"),
                                      QStringLiteral("내 드라이브"),  QStringLiteral("my drive"),
                                      QStringLiteral("nextcloud"),    QStringLiteral("owncloud"),
                                      QStringLiteral("icloud drive"), QStringLiteral("iclouddrive")};
    // Split by hand: the path may be another system's (a Windows drive seen from a test).
    QStringList folders =
        path.toLower().split(QRegularExpression(QStringLiteral("[/\\\\]")), Qt::SkipEmptyParts);
    if (!folders.isEmpty())
        folders.removeLast(); // the file itself
    for (const QString& folder : folders)
        for (const QString& service : services)
            if (folder == service || folder.startsWith(service + QLatin1Char(' ')) ||
                folder.startsWith(service + QLatin1Char('-')))
                return true;
    return false;
}

QString cloudFolderTitle() {
    return QStringLiteral("클라우드 폴더의 사무실 자료");
}

QString cloudFolderText(const QString& path) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral(
               "사무실 자료 파일이 클라우드 동기화 폴더(Dropbox, OneDrive, Google Drive, Nextcloud "
               "등)에 있습니다.") +
           crlf + path + crlf + crlf +
           QStringLiteral(
               "동기화 프로그램이 저장 중인 파일을 옮기거나 다른 PC의 사본으로 덮어써서 파일이 손상될 수 "
               "있습니다. 데이터 폴더를 동기화되지 않는 폴더로 옮기고, 백업은 도구 → 데이터 백업으로 "
               "만드십시오.") +
           crlf + crlf + QStringLiteral("이 안내는 한 번만 표시합니다.");
}

QString networkShareTitle() {
    return QStringLiteral("공유 폴더의 사무실 자료");
}

QString networkShareText(const QString& path) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("사무실 자료 파일이 네트워크 공유 폴더에 있습니다.") + crlf + path + crlf + crlf +
           QStringLiteral("여러 PC가 공유 폴더의 한 파일에 함께 저장하면 파일이 손상될 수 있습니다. ") +
           QStringLiteral("PC가 여러 대인 사무실은 사무실 자료를 MariaDB에 두십시오:") + crlf +
           QStringLiteral(
               "teran-admin copy-office로 자료를 옮긴 뒤 teran.ini의 [listing] Url에 그 주소를 적습니다.") +
           crlf + crlf + QStringLiteral("이 안내는 한 번만 표시합니다.");
}

} // namespace teran
