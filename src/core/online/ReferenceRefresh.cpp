#include "ReferenceRefresh.h"

#include "core/session/DailyLog.h"
#include "core/session/InternetNotice.h"
#include "core/session/Session.h"
#include "core/store/WholeRowStatement.h"

#include <QSqlError>
#include <algorithm>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kSource = QStringLiteral("ReferenceRefresh");

bool isPost(ReferenceJob job) {
    return job == ReferenceJob::Post;
}

enum class Reach { Reached, Offline, Unavailable };

// The lazy probe of the program: ask the internet only when the last answer was no, then
// make sure both stores are open.
Reach reachServer(Session& session) {
    if (!session.state().InternetOk)
        session.InternetCheck();
    if (!session.state().InternetOk) {
        InternetNotice::answersOrTell(session, false);
        return Reach::Offline;
    }
    session.ensureOpen(); // a store that will not open has said so itself
    return session.serverOpen() && session.listingOpen() ? Reach::Reached : Reach::Unavailable;
}

void reportFailure(Session& session, const QString& label, const QString& description,
                   const QString& source) {
    session.WriteLog(DailyLog::errorMessage(label, description, source));
    session.dialogs().critical(description, onlineServiceTitle());
}

// The server connection can be closed under a running read (by the progress callback or a
// reconnect); a closed driver would end the read as if the table were finished.
void requireOpen(const QSqlDatabase& server, const QString& sql) {
    if (!server.isOpen())
        throw StoreError(QStringLiteral("The server connection was closed during the copy"), kSource, sql);
}

} // namespace

QString refreshQuestionTitle(ReferenceJob job) {
    return isPost(job) ? QStringLiteral("우편번호갱신") : QStringLiteral("지하철노선갱신");
}

QString refreshQuestionText(ReferenceJob job) {
    const QString found = isPost(job) ? QStringLiteral("서버에 새로운 우편번호가 검색 되었습니다.")
                                      : QStringLiteral("서버에 새로운 지하철노선이 검색 되었습니다.");
    return found + kCrLf + kCrLf + QStringLiteral("갱신하시겠습니까 ?");
}

QString nothingNewText(ReferenceJob job) {
    return isPost(job) ? QStringLiteral("새로 추가된 우편번호가 없습니다.")
                       : QStringLiteral("새로추가된 지하철노선이 없습니다.");
}

QString onlineServiceTitle() {
    return QStringLiteral("테란 온라인서비스");
}

QString refreshWindowTitle(ReferenceJob job) {
    return isPost(job) ? QStringLiteral("최신 우편번호 업데이트")
                       : QStringLiteral("최신 지하철노선 업데이트");
}

QString refreshDoneText(ReferenceJob job) {
    return isPost(job) ? QStringLiteral("우편번호 업데이트를 성공적으로 완료 하였습니다.")
                       : QStringLiteral("지하철노선 업데이트를 성공적으로 완료 하였습니다.");
}

QString refreshProgressText(qint64 counter, qint64 total) {
    return QString::number(counter) + QStringLiteral(" / ") + QString::number(total) +
           QStringLiteral(" 업데이트중.. ");
}

QString checkErrorLabel(ReferenceJob job) {
    return isPost(job) ? QStringLiteral("frmMain downPost_Click => ")
                       : QStringLiteral("frmMain downSubway_Click => ");
}

QString copyErrorLabel() {
    return QStringLiteral("frmUpgrade cmdAc_Click => ");
}

qint64 referenceCount(SqlStore& store, ReferenceJob job) {
    return store.scalar(countSql(job), {}, 0).toLongLong();
}

qint64 copyReferenceTable(SqlStore& server, SqlStore& local, ReferenceJob job,
                          const RefreshProgress& progress, int progressEvery) {
    const int step = std::max(1, progressEvery);
    const QString select = selectSql(job);
    // Every row counts towards the total, also one whose counted column is empty.
    const qint64 total = server.scalar(rowCountSql(job), {}, 0).toLongLong();
    QSqlQuery rows = server.query(select); // forward only: each row is read once and let go
    const QSqlDatabase serverDb = server.database();
    const int columns = int(referenceTable(job).columns.size());
    qint64 copied = 0;
    Transaction tx(local);
    local.execute(deleteSql(job));
    {
        WholeRowStatement insert(local, insertSql(job));
        if (progress)
            progress(0, total);
        for (;;) {
            requireOpen(serverDb, select);
            if (!rows.next())
                break;
            QVariantList values;
            values.reserve(columns);
            for (int i = 0; i < columns; ++i)
                values.append(rows.value(i));
            insert.run(std::move(values));
            if (++copied % step == 0 && progress)
                progress(copied, total);
        }
        requireOpen(serverDb, select);
        // A read that stopped on an error looks like the end of the table to next().
        if (rows.lastError().type() != QSqlError::NoError)
            throw StoreError(rows.lastError().text(), server.connectionName(), select);
        if (progress && copied % step != 0)
            progress(copied, total);
    }
    tx.commit();
    return copied;
}

RefreshCheck checkReference(Session& session, ReferenceJob job) {
    switch (reachServer(session)) {
    case Reach::Offline:
        return RefreshCheck::Offline;
    case Reach::Unavailable:
        return RefreshCheck::Failed;
    case Reach::Reached:
        break;
    }
    qint64 local = 0;
    qint64 server = 0;
    try {
        local = referenceCount(session.listingStore(), job);
        server = referenceCount(session.serverStore(), job);
    } catch (const StoreError& error) {
        reportFailure(session, checkErrorLabel(job), error.description(), error.source());
        return RefreshCheck::Failed;
    }
    if (local == server) {
        session.dialogs().inform(nothingNewText(job), onlineServiceTitle());
        return RefreshCheck::NothingNew;
    }
    return session.dialogs().askYesNo(refreshQuestionText(job), refreshQuestionTitle(job))
               ? RefreshCheck::Accepted
               : RefreshCheck::Declined;
}

bool runReferenceCopy(Session& session, ReferenceJob job, const RefreshProgress& progress) {
    if (reachServer(session) != Reach::Reached)
        return false;
    try {
        copyReferenceTable(session.serverStore(), session.listingStore(), job, progress);
    } catch (const StoreError& error) {
        reportFailure(session, copyErrorLabel(), error.description(), error.source());
        return false;
    } catch (const std::exception& error) {
        reportFailure(session, copyErrorLabel(), QString::fromLocal8Bit(error.what()), kSource);
        return false;
    }
    session.dialogs().inform(refreshDoneText(job), onlineServiceTitle());
    return true;
}

} // namespace teran
