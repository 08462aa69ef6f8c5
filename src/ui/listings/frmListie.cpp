#include "frmListie.h"

#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "frmDetail.h"

namespace teran {

frmListie::frmListie(Session& session, QWidget* parent)
    : PagedListWindow(session, parent) {
    setObjectName(QStringLiteral("frmListie"));
    setWindowTitle(titleText());
    loadSettings();
}

QString frmListie::titleText() {
    return QStringLiteral("테란 [공유매물] - 실행중");
}

void frmListie::setPictureFetch(PictureFetch fetch) {
    m_fetch = std::move(fetch);
    m_fetchSet = true;
}

void frmListie::rowClicked(const ListItem& item) {
    // read when clicked: the internet may have come back since the window opened
    const PictureFetch fetch = m_fetchSet ? m_fetch : webPictureFetch(session());
    const RowDetails details = sharedRowDetails(session(), item.serverIdx, fetch);
    Q_EMIT rowChosen(RowInfo{details.number, details.picture1, details.picture2, details.infoText});
}

void frmListie::rowDoubleClicked(const ListItem& item) {
    auto* detail = new frmDetail(sharedListingDetail(session(), item.serverIdx), this);
    detail->setAttribute(Qt::WA_DeleteOnClose);
    detail->show();
}

bool frmListie::readFixedPage(const SettingsStore& settings) const {
    return settings.sharedListFixedPage();
}

void frmListie::writeFixedPage(SettingsStore& settings, bool fixed) {
    settings.setSharedListFixedPage(fixed);
}

} // namespace teran
