#pragma once

#include "ListQuery.h"

#include <QString>
#include <functional>

namespace teran {

class Session;

// 엑셀저장 of a list window: every listing its search finds (all pages, in the list's order)
// with the list's visible columns and captions, and the type and transaction of each listing
// where the list does not show them, into an Excel workbook or a CSV file. 텍스트 가져오기 reads
// such a CSV file back.
class ListSpreadsheet {
public:
    explicit ListSpreadsheet(Session& session);

    // Told how many rows are written of how many; false cancels (no file is left then).
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Asks for the file (an .xlsx or a .csv, proposed in the documents folder), writes it and
    // says how many listings it holds. True when written.
    bool exportList(const ListRequest& request, const Progress& progress = {});
    // The file written without asking; the number of listings. Throws std::runtime_error with
    // the reason (a store failure included), or returns -1 when cancelled.
    qint64 write(ListRequest request, const QString& path, const Progress& progress = {});

    static QString title() { return QStringLiteral("엑셀저장"); }
    static QString fileFilter();

private:
    Session& m_session;
};

} // namespace teran
