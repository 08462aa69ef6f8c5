#include "ListPrintPage.h"

#include <QDir>
#include <QSaveFile>

namespace teran {

namespace {

const QString kEmptyCell = QStringLiteral(" &nbsp ");

QString head(ListPrintPage::Target target) {
    QString text =
        QStringLiteral("<html><head><title>프린트하기</title><style> td {font-size: 12px;} </style>");
    if (target == ListPrintPage::Target::File)
        text +=
            QStringLiteral("<script>function Wprint() { pt.style.display='none';window.print();}</script>");
    text += QStringLiteral("</head>");
    if (target == ListPrintPage::Target::File)
        return text + QStringLiteral("<body leftmargin=0 topmargin=0 oncontextmenu='return false' "
                                     "ondragstart='return false' onselectstart='return false'><center>");
    return text + QStringLiteral("<body><center>");
}

QString printButton() {
    return QStringLiteral("<div id=pt><input type=button value='     인 쇄  하 기     ' onclick='Wprint();' "
                          "style='color: #000000;border: 1px solid #5A5A5A;margin: 2px;background-color: "
                          "gggggg;'></div>");
}

QString tableStart(ListPrintPage::Target target) {
    // the page browsers have always been given keeps its attributes as they were
    const QString width = target == ListPrintPage::Target::File ? QStringLiteral("with='100%'")
                                                                : QStringLiteral("width='100%'");
    return QStringLiteral("<table align=center border=0 %1 cellpadding=3 cellspacing=1 bgcolor=black>")
        .arg(width);
}

QString cell(const QString& text) {
    const QString shown = text.trimmed().isEmpty() ? kEmptyCell : text.toHtmlEscaped();
    return QStringLiteral("<td>") + shown + QStringLiteral("</td>");
}

} // namespace

QString ListPrintPage::html(const QList<PrintColumn>& columns, const QList<QStringList>& rows,
                            Target target) {
    QString page = head(target);
    if (target == Target::File)
        page += printButton();
    page += tableStart(target) + QStringLiteral("<tr align=center bgcolor=white>");
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
