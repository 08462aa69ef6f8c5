#pragma once

#include "core/store/SqlStore.h"

namespace teran::test {

// Rows of the postal and subway tables, which the pickers read from the office database (a null
// rest or station as an older table holds it).
inline void addPost(SqlStore& store, const QString& addr1, const QString& addr2, const QString& addr3,
                    const QVariant& addr4 = QString()) {
    store.execute(QStringLiteral("INSERT INTO post(postno, addr1, addr2, addr3, addr4) VALUES(?,?,?,?,?)"),
                  {QStringLiteral("00000"), addr1, addr2, addr3, addr4});
}

inline void addStation(SqlStore& store, const QString& line, const QVariant& station) {
    store.execute(QStringLiteral("INSERT INTO subway(sline, station) VALUES(?,?)"), {line, station});
}

// Seoul's Gangnam and Seocho, a district with a blank in its name, and Busan.
inline void addSamplePosts(SqlStore& store) {
    addPost(store, QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
            QStringLiteral("831~840"));
    addPost(store, QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
            QStringLiteral("823~830"));
    addPost(store, QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼1동"), QString());
    addPost(store, QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("삼성동"),
            QStringLiteral("1~50"));
    addPost(store, QStringLiteral("서울"), QStringLiteral("서초구"), QStringLiteral("서초동"),
            QStringLiteral("1~9"));
    addPost(store, QStringLiteral("경기"), QStringLiteral("용인시 처인구"), QStringLiteral("역삼동"),
            QStringLiteral("1~10"));
    addPost(store, QStringLiteral("부산"), QStringLiteral("해운대구"), QStringLiteral("우동"),
            QStringLiteral("1"));
}

} // namespace teran::test
