#include "SettingsActions.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"

namespace teran {

namespace {

const QString kRegionTitle = QStringLiteral("환경설정");
const QString kCrlf = QStringLiteral("\r\n");

} // namespace

SettingsActions::SettingsActions(Session& session)
    : m_session(session) {}

QMap<QString, RegionDefault> SettingsActions::regions() {
    QMap<QString, RegionDefault> regions;
    const auto read = attemptStore(m_session, QStringLiteral("frmSeting Form_Load => "), [&] {
        const SettingsStore settings = SettingsStore::ofOffice(m_session);
        for (const QString& key : SettingsStore::regionKeys())
            regions.insert(key, settings.regionDefault(key));
    });
    if (!read) {
        showStoreFailure(m_session, *read.failure(), StoreKind::Listing);
        return {};
    }
    return regions;
}

bool SettingsActions::saveRegions(const QMap<QString, RegionDefault>& regions) {
    const auto saved = attemptStore(m_session, QStringLiteral("frmSeting cmdSave_Click => "), [&] {
        SettingsStore settings = SettingsStore::ofOffice(m_session);
        m_session.listingStore().transact([&] {
            for (const QString& key : SettingsStore::regionKeys())
                if (regions.contains(key))
                    settings.setRegionDefault(key, regions.value(key));
        });
    });
    if (!saved) {
        showStoreFailure(m_session, *saved.failure(), StoreKind::Listing);
        return false;
    }
    m_session.dialogs().inform(QStringLiteral("정보를 변경 하였습니다."), kRegionTitle);
    return true;
}

bool SettingsActions::resetRegions() {
    Dialogs& dialogs = m_session.dialogs();
    if (!m_session.serverReachable()) {
        dialogs.message(QStringLiteral("현재 인터넷 접속이 불안정합니다.") + kCrlf +
                            QStringLiteral("인터넷 연결이 문제가 없는지 확인해보세요."),
                        QStringLiteral("인터넷연결"), DialogIcon::Warning, DialogButtons::Ok);
        return false;
    }
    if (!dialogs.askYesNo(QStringLiteral("회원님의 지역(시,군,구)으로 모든설정을 변경합니다.") + kCrlf +
                              kCrlf + QStringLiteral("실행하시겠습니까 ?"),
                          kRegionTitle))
        return false;

    RegionDefault own;
    const auto read = attemptStore(m_session, QStringLiteral("frmSeting cmdReset_Click => "), [&] {
        QSqlQuery row = m_session.serverStore().query(
            QStringLiteral("SELECT addr1, addr2 FROM members WHERE memID = ?"), {m_session.state().LoginId});
        if (row.next())
            own = {row.value(0).toString(), row.value(1).toString(), QString()};
    });
    if (!read) {
        showStoreFailure(m_session, *read.failure(), StoreKind::Server);
        return false;
    }
    const auto reset = attemptStore(m_session, QStringLiteral("frmSeting cmdReset_Click => "),
                                    [&] { SettingsStore::ofOffice(m_session).setAllRegionDefaults(own); });
    if (!reset) {
        showStoreFailure(m_session, *reset.failure(), StoreKind::Listing);
        return false;
    }
    dialogs.inform(QStringLiteral("정보를 초기화 하였습니다."), QStringLiteral("초기화완료"));
    return true;
}

ColorRule SettingsActions::colorRule() {
    return attemptStore(m_session, QStringLiteral("frmSetingColor Form_Load => "),
                        [&] { return SettingsStore::ofUser(m_session).colorRule(); })
        .valueOr(ColorRule());
}

bool SettingsActions::saveColorRule(const ColorRule& rule) {
    try {
        SettingsStore::ofUser(m_session).setColorRule(rule);
    } catch (const StoreError& error) {
        m_session.WriteLog(QStringLiteral("frmSetingColor => cmdSave_Click => %1 --> %2 => %3")
                               .arg(error.sql(), error.description(), error.source()));
        m_session.dialogs().critical(error.description(), QStringLiteral("폰트색상 설정"));
        return false;
    }
    m_session.dialogs().inform(QStringLiteral("폰트색상이 변경되었습니다."), QStringLiteral("폰트색상 설정"));
    return true;
}

QList<quint32> SettingsActions::swatches() {
    const auto number = [](int red, int green, int blue) {
        return quint32(red + green * 256 + blue * 65536);
    };
    return {number(0, 0, 0),     number(128, 128, 128), number(192, 0, 0),   number(255, 0, 0),
            number(255, 102, 0), number(204, 153, 0),   number(0, 128, 0),   number(0, 153, 153),
            number(0, 0, 255),   number(0, 0, 128),     number(128, 0, 128), number(255, 0, 255)};
}

std::optional<int> SettingsActions::daysOf(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 5)
        return std::nullopt;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return trimmed.toInt();
}

QList<int> SettingsActions::fontSizes() {
    return {8, 9, 10, 11, 12, 13, 14, 16, 18, 20};
}

int SettingsActions::fontSize() {
    return attemptStore(m_session, QStringLiteral("frmSetingFont Form_Load => "),
                        [&] { return SettingsStore::ofOffice(m_session).fontSize(); })
        .valueOr(SettingsStore::kDefaultFontSize);
}

bool SettingsActions::saveFontSize(int points) {
    const auto saved = attemptStore(m_session, QStringLiteral("frmSetingFont cmdSave_Click => "),
                                    [&] { SettingsStore::ofOffice(m_session).setFontSize(points); });
    if (!saved) {
        showStoreFailure(m_session, *saved.failure(), StoreKind::Listing);
        return false;
    }
    m_session.state().FontSizeSet = points;
    m_session.dialogs().inform(QStringLiteral("폰트크기가 [%1] 로 변경되었습니다.").arg(points),
                               QStringLiteral("폰트설정"));
    return true;
}

} // namespace teran
