#include "ListPrintPage.h"

#include <QDir>
#include <QSaveFile>

namespace teran {

namespace {

const QString kEmptyCell = QStringLiteral(" &nbsp ");

QString head() {
    // clang-format off
    return QStringLiteral("<html><head><title>프린트하기</title><style> td {font-size: 12px;} </style><script>function Wprint() { pt.style.display='none';window.print();}</script></head><body leftmargin=0 topmargin=0 oncontextmenu='return false' ondragstart='return false' onselectstart='return false'><center>");
    // clang-format on
}

QString printButton() {
    // clang-format off
    return QStringLiteral("<div id=pt><input type=button value='     인 쇄  하 기     ' onclick='Wprint();' style='color: #000000;border: 1px solid #5A5A5A;margin: 2px;background-color: gggggg;'></div>");
    // clang-format on
}

// The page browsers have always been given keeps its attributes as they were ("with" included).
QString tableStart() {
    return QStringLiteral(
        "<table align=center border=0 with='100%' cellpadding=3 cellspacing=1 bgcolor=black>");
}

QString cell(const QString& text) {
    const QString shown = text.trimmed().isEmpty() ? kEmptyCell : text.toHtmlEscaped();
    return QStringLiteral("<td>") + shown + QStringLiteral("</td>");
}

} // namespace

QString ListPrintPage::html(const QList<PrintColumn>& columns, const QList<QStringList>& rows) {
    QString page = head() + printButton() + tableStart() + QStringLiteral("<tr align=center bgcolor=white>");
    for (const PrintColumn& column : columns)
        page += cell(column.caption);
    page += QStringLiteral("</tr>");
    for (const QStringList& row : rows) {
        page += QStringLiteral("<tr align=center bgcolor=white>");
        for (const PrintColumn& column : columns)
            page += cell(row.value(column.position));
        page += QStringLiteral("</tr>");
    }
    return page + QStringLiteral("</table>") + QStringLiteral("</center></body></html>");
}

report::Document ListPrintPage::report(const QList<PrintColumn>& columns, const QList<QStringList>& rows,
                                       const QString& title) {
    report::Document document;
    document.title = title;
    document.orientation = report::Orientation::Landscape;
    report::Table table;
    for (const PrintColumn& column : columns)
        table.header << column.caption;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (const PrintColumn& column : columns)
            cells << row.value(column.position).trimmed();
        table.rows << cells;
    }
    table.align = QList<report::Align>(columns.size(), report::Align::Center);
    document.add(table);
    return document;
}

QString ListPrintPage::pagePath(const DataFolder& folder, const QString& loginId) {
    // the same rule as the layout files: a LoginId must not lead out of rd/
    if (layoutFileName(LayoutKind::Print, loginId).isEmpty())
        return {};
    return QDir(folder.rd()).filePath(loginId + QStringLiteral(".html"));
}

bool ListPrintPage::write(const QString& path, const QString& html, QString* error) {
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("no file name");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write("\xEF\xBB\xBF");
    file.write(html.toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

PrintColumnsFile::PrintColumnsFile(const DataFolder& folder, const QString& loginId, ListKind kind,
                                   const QString& tb)
    : m_file(folder, LayoutKind::Print, loginId, part(kind, tb)) {}

QString PrintColumnsFile::part(ListKind kind, const QString& tb) {
    QString window;
    switch (kind) {
    case ListKind::Own:
        window = QStringLiteral("frmList");
        break;
    case ListKind::Group:
        return QStringLiteral("frmListGroup");
    case ListKind::Shared:
        window = QStringLiteral("frmListie");
        break;
    case ListKind::Club:
        window = QStringLiteral("frmClub");
        break;
    }
    return isAllTypes(tb) ? window + QStringLiteral("All") : tb + QLatin1Char('_') + window;
}

QList<int> PrintColumnsFile::read() const {
    QList<int> positions;
    for (const std::optional<int>& entry : m_file.read())
        if (entry && !positions.contains(*entry))
            positions << *entry;
    return positions;
}

bool PrintColumnsFile::write(const QList<int>& positions) const {
    return m_file.write(positions);
}

} // namespace teran
