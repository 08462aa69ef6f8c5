#include "SheetFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>
#include <xlsxwriter.h>

namespace teran {

namespace {

std::runtime_error failure(const QString& reason) {
    return std::runtime_error(reason.toStdString());
}

class CsvWriter final : public SheetWriter {
public:
    CsvWriter(const QString& path, const QList<SheetColumn>& columns)
        : m_file(path) {
        if (!m_file.open(QIODevice::WriteOnly))
            throw failure(m_file.errorString());
        m_file.write("\xEF\xBB\xBF");
        QStringList captions;
        for (const SheetColumn& column : columns)
            captions << column.caption;
        row(captions);
    }
    void row(const QStringList& cells) override { m_file.write(csvLine(cells).toUtf8()); }
    void finish() override {
        if (!m_file.commit())
            throw failure(m_file.errorString());
    }

private:
    QSaveFile m_file;
};

// libxlsxwriter keeps at most one row in memory (constant memory mode) and writes the workbook
// at its close: into a hidden sibling first, renamed when whole.
class XlsxWriter final : public SheetWriter {
public:
    XlsxWriter(const QString& path, const QList<SheetColumn>& columns)
        : m_path(path)
        , m_partial(
              QFileInfo(path).dir().filePath(QStringLiteral(".%1.partial").arg(QFileInfo(path).fileName())))
        , m_columns(columns) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        const QByteArray name = QFile::encodeName(m_partial);
        m_book = workbook_new_opt(name.constData(), &options);
        if (!m_book)
            throw failure(QStringLiteral("엑셀 파일을 만들 수 없습니다: %1").arg(path));
        m_sheet = workbook_add_worksheet(m_book, nullptr);
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_whole = workbook_add_format(m_book);
        format_set_num_format(m_whole, "#,##0");
        m_fraction = workbook_add_format(m_book);
        format_set_num_format(m_fraction, "#,##0.##");
        for (int c = 0; c < columns.size(); ++c) {
            put(0, c, columns.at(c).caption, m_bold);
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), columns.at(c).numeric ? 12 : 16,
                                 nullptr);
        }
        worksheet_freeze_panes(m_sheet, 1, 0);
    }
    ~XlsxWriter() override {
        if (m_book) {
            workbook_close(m_book);
            QFile::remove(m_partial);
        }
    }
    void row(const QStringList& cells) override {
        ++m_row;
        for (int c = 0; c < cells.size(); ++c) {
            const QString& text = cells.at(c);
            bool number = false;
            double value = 0;
            if (c < m_columns.size() && m_columns.at(c).numeric && !text.isEmpty()) {
                QString plain = text;
                plain.remove(QLatin1Char(','));
                value = plain.toDouble(&number);
            }
            if (number)
                worksheet_write_number(m_sheet, m_row, lxw_col_t(c), value,
                                       value == double(qint64(value)) ? m_whole : m_fraction);
            else if (!text.isEmpty())
                put(m_row, c, text, nullptr);
        }
    }
    void finish() override {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        if (workbook_close(book) != LXW_NO_ERROR) {
            QFile::remove(m_partial);
            throw failure(QStringLiteral("엑셀 파일을 쓰지 못했습니다: %1").arg(m_path));
        }
        QFile::remove(m_path);
        if (!QFile::rename(m_partial, m_path)) {
            QFile::remove(m_partial);
            throw failure(QStringLiteral("엑셀 파일의 이름을 바꾸지 못했습니다: %1").arg(m_path));
        }
    }

private:
    void put(lxw_row_t row, int column, const QString& text, lxw_format* format) {
        const QByteArray utf8 = text.toUtf8();
        worksheet_write_string(m_sheet, row, lxw_col_t(column), utf8.constData(), format);
    }

    QString m_path;
    QString m_partial;
    QList<SheetColumn> m_columns;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_whole = nullptr;
    lxw_format* m_fraction = nullptr;
    lxw_row_t m_row = 0;
};

} // namespace

SheetFormat sheetFormatOf(const QString& path) {
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? SheetFormat::Csv : SheetFormat::Xlsx;
}

std::unique_ptr<SheetWriter> SheetWriter::create(const QString& path, const QList<SheetColumn>& columns) {
    if (sheetFormatOf(path) == SheetFormat::Csv)
        return std::make_unique<CsvWriter>(path, columns);
    return std::make_unique<XlsxWriter>(path, columns);
}

QString csvLine(const QStringList& values) {
    QString line;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        const QString& value = values.at(i);
        const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                            value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
        if (!quoted) {
            line += value;
            continue;
        }
        line += QLatin1Char('"');
        line += QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\""));
        line += QLatin1Char('"');
    }
    return line + QStringLiteral("\r\n");
}

QList<QStringList> csvRows(const QString& text, QList<int>* lineOf) {
    QList<QStringList> rows;
    QStringList row;
    QString value;
    bool quoted = false;
    bool rowStarted = false;
    int line = 1;
    int rowLine = 1;
    const auto endRow = [&] {
        row << value;
        rows << row;
        if (lineOf)
            *lineOf << rowLine;
        row.clear();
        value.clear();
        rowStarted = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!rowStarted) {
            rowStarted = true;
            rowLine = line;
        }
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                value += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                value += c;
            }
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << value;
            value.clear();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endRow();
            ++line;
        } else {
            value += c;
        }
    }
    if (quoted)
        throw failure(QStringLiteral("%1 번째 줄에서 시작한 따옴표가 닫히지 않았습니다.").arg(rowLine));
    if (rowStarted)
        endRow();
    return rows;
}

} // namespace teran
