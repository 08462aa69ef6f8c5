#include "NetworkShare.h"

#include <QFileInfo>

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
