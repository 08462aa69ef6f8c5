#pragma once

#include "PagedListWindow.h"
#include "core/listings/ListingRowInfo.h"

namespace teran {

// `frmListie` ("테란 [공유매물] - 실행중"): the other offices' internet listings of the last 60
// days from the ServerStore. A click on a row shows the owning office and its agent, with the
// pictures read from the vendor's web folder while online; a double click shows the listing's
// details (`frmDetail`).
class frmListie : public PagedListWindow {
    Q_OBJECT
public:
    explicit frmListie(Session& session, QWidget* parent = nullptr);

    ListKind kind() const override { return ListKind::Shared; }
    // Where the pictures of a clicked row come from; by default the web folder while online.
    void setPictureFetch(PictureFetch fetch);

    static QString titleText(); // "테란 [공유매물] - 실행중"

protected:
    QString windowName() const override { return QStringLiteral("frmListie"); }
    void rowClicked(const ListItem& item) override;
    void rowDoubleClicked(const ListItem& item) override;
    bool readFixedPage(const SettingsStore& settings) const override;
    void writeFixedPage(SettingsStore& settings, bool fixed) override;

private:
    PictureFetch m_fetch;
    bool m_fetchSet = false;
};

} // namespace teran
