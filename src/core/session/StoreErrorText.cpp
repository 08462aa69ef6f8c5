#include "StoreErrorText.h"

#include <QDir>

#include "core/session/LoginService.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"
#include "core/store/TlsTrust.h"

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool says(const QString& text, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (text.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

StoreFault classifyStoreError(const StoreError& error) {
    const QString text = error.description();
    if (TlsTrust::isRefusal(text))
        return StoreFault::Refused;
    // 1969: the statement ran past the account's max_statement_time and the server ended it;
    // 1317: the server's own watch ended it (the member had switched its time limit off).
    if (error.nativeCode == QLatin1String("1969") || error.nativeCode == QLatin1String("1317") ||
        says(text, {"max_statement_time exceeded", "Query execution was interrupted"}))
        return StoreFault::Cut;
    if (SqlStore::isLostConnection(error) ||
        says(text, {"Can't connect", "Unknown MySQL server host", "Connection refused", "timed out"}) ||
        text.contains(SqlStore::unansweredText()))
        return StoreFault::ServerLost;
    if (says(text, {"malformed", "not a database", "corrupt", "disk I/O error"}))
        return StoreFault::Damaged;
    if (says(text, {"readonly", "read-only", "unable to open database", "Permission denied"}))
        return StoreFault::ReadOnly;
    if (says(text, {"disk is full", "No space", "disk full"}))
        return StoreFault::DiskFull;
    // max_user_connections: the account's other desks hold every connection it may have;
    // "Too many connections": the whole server's are taken.
    if (says(text, {"database is locked", "busy", "Lock wait timeout", "Deadlock", "max_user_connections",
                    "Too many connections"}))
        return StoreFault::Busy;
    return StoreFault::Other;
}

StoreErrorText describeStoreError(const StoreError& error, bool serverStore, const QString& logFolder) {
    // Only a line that was written is claimed, in the folder that took it.
    const QString logged =
        logFolder.isEmpty()
            ? QStringLiteral("오류 기록도 남기지 못했습니다: 자료 폴더와 사용자 폴더 모두 쓸 수 없습니다.")
            : QStringLiteral("자세한 내용은 오늘 날짜의 오류 기록(%1)에 남겼습니다.")
                  .arg(QDir::toNativeSeparators(logFolder));
    switch (classifyStoreError(error)) {
    case StoreFault::ServerLost:
        return {QStringLiteral("서버 연결오류"),
                QStringLiteral("본사 서버와의 연결이 끊어져 작업을 마치지 못했습니다.") + kCrLf + kCrLf +
                    QStringLiteral("인터넷 연결을 확인한 뒤 다시 해 주십시오. 서버가 돌아오면 프로그램을 "
                                   "다시 시작하지 않아도 이어서 쓸 수 있습니다.") +
                    kCrLf + logged};
    case StoreFault::Refused:
        return {LoginTexts::refusedServerTitle(),
                error.description() + kCrLf + kCrLf +
                    QStringLiteral(
                        "암호화되지 않았거나 확인되지 않은 서버에는 자료를 보내지 않습니다. 오프라인으로 "
                        "작업하면서 업체에 문의하십시오.") +
                    kCrLf + logged};
    case StoreFault::Cut:
        return {
            QStringLiteral("서버 작업시간 초과"),
            QStringLiteral("본사 서버가 너무 오래 걸리는 작업을 중단했습니다.") + kCrLf + kCrLf +
                QStringLiteral("검색 조건을 좁혀 다시 해 주십시오. 다른 작업은 그대로 계속할 수 있습니다.") +
                kCrLf + logged};
    case StoreFault::Damaged:
        return {QStringLiteral("자료 파일 손상"),
                QStringLiteral("사무실 자료 파일이 손상되어 읽을 수 없습니다.") + kCrLf + kCrLf +
                    QStringLiteral("파일을 더 망가뜨리지 않도록 프로그램을 닫고, 백업해 둔 자료로 되살리거나 "
                                   "본사로 문의하시기 바랍니다.") +
                    kCrLf + logged};
    case StoreFault::ReadOnly:
        return {
            QStringLiteral("자료 저장 오류"),
            QStringLiteral("자료 폴더에 쓸 수 없어 저장하지 못했습니다. 폴더나 파일이 읽기 전용이거나 "
                           "권한이 없습니다.") +
                kCrLf + kCrLf +
                QStringLiteral("자료 폴더(공유 폴더)의 쓰기 권한과 연결 상태를 확인한 뒤 다시 해 주십시오.") +
                kCrLf + logged};
    case StoreFault::DiskFull:
        return {QStringLiteral("자료 저장 오류"),
                QStringLiteral("디스크에 남은 공간이 없어 저장하지 못했습니다.") + kCrLf + kCrLf +
                    QStringLiteral("필요 없는 파일을 지워 공간을 만든 뒤 다시 해 주십시오. 저장하지 못한 "
                                   "내용은 바뀌지 않았습니다.") +
                    kCrLf + logged};
    case StoreFault::Busy:
        return {QStringLiteral("자료 사용 중"),
                QStringLiteral("다른 PC에서 같은 자료를 쓰고 있어 기다리다가 작업을 마치지 못했습니다.") +
                    kCrLf + kCrLf + QStringLiteral("잠시 후 다시 해 주십시오.") + kCrLf + logged};
    case StoreFault::Other:
        break;
    }
    return {serverStore ? QStringLiteral("서버 자료 오류") : QStringLiteral("자료 오류"),
            (serverStore ? QStringLiteral("본사 서버에서 자료를 처리하지 못했습니다.")
                         : QStringLiteral("사무실 자료를 처리하지 못했습니다.")) +
                kCrLf + kCrLf + QStringLiteral("다시 해 보시고, 계속되면 본사로 문의하시기 바랍니다.") +
                kCrLf + logged};
}

} // namespace teran
