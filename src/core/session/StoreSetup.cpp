#include "StoreSetup.h"

#include "core/session/StoreSchemas.h"

namespace teran {

void initDataFolder(const DataFolder& folder) {
    if (!folder.ensureFolders())
        throw StoreError(QStringLiteral("The data folder cannot be made: ") + folder.root(),
                         QStringLiteral("initDataFolder"));
    SqlStore store(QStringLiteral("init-listing"));
    store.open(StoreUrl::sqliteFile(folder.listingStoreFile()));
    upgradeListingStore(store);
}

QList<ServerText> defaultServerTexts(const ServerTextValues& values) {
    return {
        {1, QStringLiteral("회원가입"), QStringLiteral("회원가입 안내")},
        {2, QStringLiteral("회원정보"), QStringLiteral("회원정보 수정 안내")},
        {3, QStringLiteral("SMS"), QString::number(values.smsPort)},
        {4, QStringLiteral("업그레이드"), QStringLiteral("프로그램 업그레이드 안내")},
        {5, QStringLiteral("자료구매"), QStringLiteral("매물자료 구매 안내")},
        {8, QStringLiteral("FTP"), values.ftpPassword},
        {9, QStringLiteral("전단지"), QStringLiteral("옥외광고 전단지 안내")},
        {10, QStringLiteral("문의"), QStringLiteral("문제점 신고 안내")},
    };
}

void initServerStore(SqlStore& server, const ServerTextValues& values) {
    upgradeServerStore(server);
    server.transact([&] {
        for (const ServerText& text : defaultServerTexts(values)) {
            const bool present = server
                                     .scalar(QStringLiteral("SELECT COUNT(*) FROM mem_msg WHERE table_idx=?"),
                                             {text.number}, 0)
                                     .toInt() > 0;
            const bool given = (text.number == 3 && values.smsPort > 0) ||
                               (text.number == 8 && !values.ftpPassword.isEmpty());
            if (present && given) {
                server.execute(QStringLiteral("UPDATE mem_msg SET content=? WHERE table_idx=?"),
                               {text.content, text.number});
                continue;
            }
            if (present)
                continue;
            // enable '1': a service text, never shown as a notice at login.
            server.execute(
                QStringLiteral(
                    "INSERT INTO mem_msg(table_idx, title, content, Type, enable) VALUES(?,?,?,?,?)"),
                {text.number, text.title, text.content, 0, QStringLiteral("1")});
        }
    });
}

} // namespace teran
