#pragma once

#include "ListingSheet.h"
#include "core/listings/ListingRowInfo.h"

namespace teran {

class Session;

// What a print of a listing sheet gave: the page, or why there is none.
struct SheetPrint {
    std::optional<report::Document> page;
    QString error; // "" with a page

    bool ok() const { return page.has_value(); }
};

// Makes the sheet of a listing from the stores: an own listing by its number, a shared one by
// the server's number of its row. The layout is the listing's own pair unless `ty` names
// another (the registration window prints its sale and lease sheets).
class ListingSheetPrint {
public:
    // Shared pictures come through `fetch` (the web folder, by default while online).
    explicit ListingSheetPrint(Session& session, PictureFetch fetch = {});

    SheetPrint own(int number, const QString& ty = {});
    SheetPrint shared(int serverIdx, const QString& ty = {});

    static QString notFoundText(int number); // "매물번호 N 번의 매물이 없습니다."

private:
    SheetPrint make(const ListingRow& row, const QString& ty, SheetSource source, SheetExtras extras);
    QString sharedCopyright(const QString& agentId);

    Session& m_session;
    PictureFetch m_fetch;
};

} // namespace teran
