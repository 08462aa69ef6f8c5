#pragma once

#include "core/store/ServerHealth.h"
#include "core/store/SqlStore.h"

#include <QList>
#include <QString>
#include <functional>

namespace teran {

class Session;

// What a click on a row of a list window shows in the frame window: the listing's two
// pictures as local files (empty when there is none) and the text of the info label.
struct RowDetails {
    int number = 0;
    QString picture1;
    QString picture2;
    QString infoText;
};

QString noOwnerInfoText(); // "등록자정보없음."
QString noWorkNoteText();  // "작업내용없음."

// An own listing: its pictures from the data folder's files/, the owner's name and phones
// ("-" when another staff member keeps the owner private) and the latest work note of the
// listing. Throws StoreError.
RowDetails ownRowDetails(Session& session, int number);

// Brings a published picture to a local file; empty when it cannot.
using PictureFetch = std::function<QString(const QString& name)>;

// A shared listing by its server row (`table_idx` of the ServerStore): the owning office and
// the agent in charge with his phones and the shared remark. Its pictures come through
// `fetch` when one is given. Throws StoreError.
RowDetails sharedRowDetails(Session& session, int serverIdx, const PictureFetch& fetch = {});

// Reads published pictures from the vendor's web folder while the internet answered at the
// login; an empty function otherwise. A slow server gives up after stallSeconds, and nothing is
// asked while the vendor's server is known silent: the detail view and the sheet are a window's.
PictureFetch webPictureFetch(Session& session, int stallSeconds = ServerHealth::kWindowWaitSeconds);

// One line of the detail view of a shared listing.
struct DetailField {
    QString caption;
    QString value;
};

// The captioned values of a server row that hold something, in the listing columns' order,
// formatted as the grids show them; empty when the row is gone. Throws StoreError.
QList<DetailField> sharedListingDetail(SqlStore& server, int serverIdx);
QList<DetailField> sharedListingDetail(Session& session, int serverIdx); // from the server

} // namespace teran
