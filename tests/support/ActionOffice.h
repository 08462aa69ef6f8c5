#pragma once

#include "OfficeFixture.h"
#include "listings/ListingActions.h"
#include "session/ListingRepository.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace teran::test {

// An office logged in online on a fresh data folder and vendor server of one backend, with its
// picture server pointed at the loopback FTP server when that runs. The office id is unique to
// the test, so the pictures it publishes cannot meet those of tests running beside it.
class ActionOffice {
public:
    static std::unique_ptr<ActionOffice> make(Backend backend); // nullptr: a service is missing
    ~ActionOffice();

    Session& session() { return *m_session; }
    ScriptedDialogs& dialogs() { return m_office->dialogs; }
    RecordingOutlets& outlets() { return m_office->outlets; }
    FixedClock& clock() { return m_office->clock; }
    SqlStore& local() { return m_session->listingStore(); }
    SqlStore& server() { return m_office->server(); }
    const QString& officeId() const { return m_officeId; }
    bool hasFtp() const { return m_ftp.has_value(); }
    const FtpService& ftp() const { return *m_ftp; }

    ListingActions actions();
    // The status texts the last actions() reported, in order.
    QStringList progressTexts;

    // A listing of the office with the given columns over a plain apartment for sale.
    int addListing(const ListingRow& columns = {});
    // A listing published in `state`, with its server copy as an earlier publication left it.
    int addPublished(int state, const ListingRow& columns = {});

    int localState(int number);
    std::optional<int> serverState(int number); // nullopt when the server holds no copy
    int serverCount(const QString& officeId);
    QVariant serverColumn(int number, const QString& column);

    static QList<ListingPick> picks(const QList<int>& numbers);
    void answerYes() { dialogs().answerNext(DialogAnswer::Yes); }

    // Paths of a picture in the office's data folder and on the FTP server's disk.
    QString localPicture(const QString& name) const;
    QString remotePicture(const QString& name) const;
    bool writeLocalPicture(const QString& name);
    bool writeRemotePicture(const QString& name);

private:
    ActionOffice() = default;
    std::unique_ptr<OfficeFixture> m_office;
    std::unique_ptr<Session> m_session;
    std::optional<FtpService> m_ftp;
    QString m_officeId;
};

// The name the office gives a picture of a listing: office id, number, "_" and slot suffix, extension.
QString pictureName(const QString& officeId, int number, int slotSuffix, const QString& extension = "jpg");

} // namespace teran::test
