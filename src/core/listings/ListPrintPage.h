#pragma once

#include "ListColumnSets.h"
#include "core/report/ReportDocument.h"
#include "core/session/DataFolder.h"
#include "core/session/LayoutFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// A column offered for printing: its position in the list's grid (hidden helper columns
// count) and its caption.
struct PrintColumn {
    int position = 0;
    QString caption;
};

// The page of ticked rows that the list-printing window writes and prints.
class ListPrintPage {
public:
    // The page written to rd/<LoginId>.html for a browser, with its own print button: one header
    // cell per column, one row per entry of `rows` holding the cell of each column at its
    // position (" &nbsp " when empty or missing). Every text is HTML-escaped.
    static QString html(const QList<PrintColumn>& columns, const QList<QStringList>& rows);
    // The same table as the program prints it: landscape, one ruled row per listing.
    static report::Document report(const QList<PrintColumn>& columns, const QList<QStringList>& rows,
                                   const QString& title);

    // rd/<LoginId>.html; empty when the LoginId cannot name a file.
    static QString pagePath(const DataFolder& folder, const QString& loginId);
    // Replaces the page in one step, as UTF-8 with a byte-order mark so that any browser reads
    // the Hangul right. False with a reason on failure.
    static bool write(const QString& path, const QString& html, QString* error = nullptr);
};

// Where the columns picked for printing are remembered per user: the Print layout file of the
// list window and its mode, holding the picked positions as "3,5,8,". The mode is the list's
// column set, so that positions saved for one set never tick columns of another:
// "frmListAll", "frmListGroup", "<tb>_frmList", and likewise for frmListie and frmClub.
class PrintColumnsFile {
public:
    PrintColumnsFile(const DataFolder& folder, const QString& loginId, ListKind kind, const QString& tb);

    static QString part(ListKind kind, const QString& tb);

    bool exists() const { return m_file.exists(); }
    // The saved positions, without duplicates or unusable entries; empty without a file.
    QList<int> read() const;
    bool write(const QList<int>& positions) const;
    const QString& path() const { return m_file.path(); }

private:
    LayoutFile m_file;
};

} // namespace teran
