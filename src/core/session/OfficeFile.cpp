#include "OfficeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kHeaderSize = 100;

quint32 bigEndian32(const QByteArray& header, int at) {
    return qFromBigEndian<quint32>(header.constData() + at);
}

// The header keeps the file's length in pages; it can be trusted when its "valid for" number
// matches the change counter (older writers did not keep it).
OfficeFileState checkLength(const QByteArray& header, qint64 size) {
    const quint16 rawPageSize = qFromBigEndian<quint16>(header.constData() + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return OfficeFileState::NotDatabase;
    const quint32 pages = bigEndian32(header, 28);
    const bool pagesValid = pages > 0 && bigEndian32(header, 92) == bigEndian32(header, 24);
    if (size % pageSize != 0 || (pagesValid && size < qint64(pages) * pageSize))
        return OfficeFileState::Truncated;
    return OfficeFileState::Sound;
}

} // namespace

OfficeFileState inspectOfficeFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return OfficeFileState::Missing;
    if (info.size() == 0)
        return OfficeFileState::Empty;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OfficeFileState::Sound; // let the database say why it cannot be opened
    const QByteArray header = file.read(kHeaderSize);
    if (!header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return OfficeFileState::NotDatabase;
    if (header.size() < kHeaderSize)
        return OfficeFileState::Truncated;
    // A transaction cut short leaves its journal beside the file; SQLite itself puts the file
    // right from it, so its length says nothing yet.
    if (QFileInfo::exists(path + QStringLiteral("-journal")) ||
        QFileInfo::exists(path + QStringLiteral("-wal")))
        return OfficeFileState::Sound;
    return checkLength(header, info.size());
}

QString officeFileTitle() {
    return QStringLiteral("사무실 자료 확인");
}

QString officeFileText(OfficeFileState state, const QString& path) {
    const QString file = QStringLiteral("사무실 자료 파일: ") + path;
    const QString untouched = QStringLiteral("파일은 손대지 않고 그대로 두었습니다.");
    const QString restore = QStringLiteral("백업해 둔 자료로 파일을 되살리거나, 본사로 문의하시기 바랍니다.");
    switch (state) {
    case OfficeFileState::Empty:
        return QStringLiteral("사무실 자료 파일이 비어 있습니다. 매물 자료가 하나도 없습니다.") + kCrLf +
               file + kCrLf + kCrLf +
               QStringLiteral("자료가 있어야 하는 사무실이면 [아니오]를 누르고, 백업해 둔 자료로 파일을 "
                              "되살린 뒤 다시 실행하십시오.") +
               kCrLf + QStringLiteral("새 사무실로 빈 자료를 만들어 시작하려면 [예]를 누르십시오.");
    case OfficeFileState::NotDatabase:
        return QStringLiteral("사무실 자료 파일이 프로그램의 자료 파일이 아닙니다.") + kCrLf + file + kCrLf +
               kCrLf + untouched + kCrLf + restore;
    case OfficeFileState::Truncated:
        return QStringLiteral("사무실 자료 파일이 손상되었습니다. 파일의 뒷부분이 잘려 있습니다.") + kCrLf +
               file + kCrLf + kCrLf + untouched + kCrLf + restore;
    case OfficeFileState::NotOffice:
        return QStringLiteral("이 파일에는 사무실 자료가 없습니다. 다른 프로그램의 자료 파일입니다.") +
               kCrLf + file + kCrLf + kCrLf + untouched + kCrLf + restore;
    case OfficeFileState::Missing:
        return QStringLiteral("사무실 자료 파일이 없습니다.") + kCrLf + file + kCrLf + kCrLf +
               QStringLiteral(
                   "자료 폴더가 연결되어 있는지, 설정 파일(teran.ini)의 DataPath가 맞는지 확인하십시오.");
    case OfficeFileState::Sound:
        break;
    }
    return {};
}

QString officeFileLogText(OfficeFileState state, const QString& path) {
    switch (state) {
    case OfficeFileState::Empty:
        return QStringLiteral("office database without an office: ") + path;
    case OfficeFileState::NotDatabase:
        return QStringLiteral("office database is not an SQLite file: ") + path;
    case OfficeFileState::Truncated:
        return QStringLiteral("office database is shorter than its header says: ") + path;
    case OfficeFileState::NotOffice:
        return QStringLiteral("office database has no maemul table: ") + path;
    case OfficeFileState::Missing:
        return QStringLiteral("office database missing: ") + path;
    case OfficeFileState::Sound:
        break;
    }
    return path;
}

} // namespace teran
