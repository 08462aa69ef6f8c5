#pragma once

#include "ScriptedDialogs.h"
#include "session/Session.h"
#include "session/StoreSetup.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace teran::test {

// An office on a fresh data folder with its ListingStore open and a few postal and subway rows;
// the pickers need nothing else, so no server is involved.
class PickerOffice {
public:
    PickerOffice() {
        initDataFolder(DataFolder(dir.path()));
        session = std::make_unique<Session>(TeranConfig::demoDefaults(dir.path()), clock, dialogs);
        opened = session->MdbsqlConnOpen();
    }

    SqlStore& store() { return session->listingStore(); }

    void addPost(const QString& addr1, const QString& addr2, const QString& addr3,
                 const QString& addr4 = {}) {
        store().execute(
            QStringLiteral("INSERT INTO post(postno, addr1, addr2, addr3, addr4) VALUES(?,?,?,?,?)"),
            {QStringLiteral("00000"), addr1, addr2, addr3, addr4});
    }
    void addStation(const QString& line, const QString& station) {
        store().execute(QStringLiteral("INSERT INTO subway(sline, station) VALUES(?,?)"), {line, station});
    }

    // Seoul's Gangnam and Seocho, a district with a blank in its name, and Busan.
    void addSamplePosts() {
        addPost(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                QStringLiteral("831~840"));
        addPost(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                QStringLiteral("823~830"));
        addPost(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼1동"), QString());
        addPost(QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("삼성동"),
                QStringLiteral("1~50"));
        addPost(QStringLiteral("서울"), QStringLiteral("서초구"), QStringLiteral("서초동"),
                QStringLiteral("1~9"));
        addPost(QStringLiteral("경기"), QStringLiteral("용인시 처인구"), QStringLiteral("역삼동"),
                QStringLiteral("1~10"));
        addPost(QStringLiteral("부산"), QStringLiteral("해운대구"), QStringLiteral("우동"),
                QStringLiteral("1"));
    }

    QString todaysLog() const {
        QFile file(session->log().fileFor(clock.today()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    std::unique_ptr<Session> session;
    bool opened = false;
};

} // namespace teran::test
