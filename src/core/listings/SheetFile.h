#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace teran {

// A spreadsheet file of rows under a header line: an Excel workbook (.xlsx) or a CSV file in
// UTF-8 with a byte order mark (without it Excel reads a CSV in the Korean code page and breaks
// the Hangul). The format follows the file's suffix.
enum class SheetFormat { Xlsx, Csv };
SheetFormat sheetFormatOf(const QString& path);

struct SheetColumn {
    QString caption;
    // Cells of a numeric column that read as a number ("1,200", "84.5") go into a workbook as
    // numbers, so that Excel sums and sorts them; other cells stay text.
    bool numeric = false;
};

// Writes one file row by row, in constant memory; the file appears under its name only when
// finish() succeeded. Every failure throws std::runtime_error with the reason.
class SheetWriter {
public:
    static std::unique_ptr<SheetWriter> create(const QString& path, const QList<SheetColumn>& columns);
    virtual ~SheetWriter() = default;
    virtual void row(const QStringList& cells) = 0;
    virtual void finish() = 0;
};

// One line of a CSV file (RFC 4180): a value with a comma, a quote or a line break is quoted
// and its quotes doubled; the line ends with CR LF.
QString csvLine(const QStringList& values);

// The lines of a CSV text and their values, with quoted values across line breaks; `lineOf`
// gives the file's line number (from 1) where each row starts. Throws std::runtime_error for a
// quote left open at the end.
QList<QStringList> csvRows(const QString& text, QList<int>* lineOf = nullptr);

} // namespace teran
