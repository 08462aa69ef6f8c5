#include "ListSpreadsheet.h"

#include "SheetFile.h"
#include "core/session/Session.h"
#include "core/session/UserFolders.h"

#include <QDir>
#include <QFile>

namespace teran {

namespace {

constexpr int kRowsPerRead = 1000;

} // namespace

ListSpreadsheet::ListSpreadsheet(Session& session)
    : m_session(session) {}

QString ListSpreadsheet::fileFilter() {
    return QStringLiteral("Excel 통합 문서 (*.xlsx);;CSV UTF-8 (*.csv)");
}

qint64 ListSpreadsheet::write(ListRequest request, const QString& path, const Progress& progress) {
    request.pageSizeText = QString::number(kRowsPerRead);
    request.totalLater = false;
    request.page = 1;
    request.sheet = true;
    ListQuery query(m_session);
    ListPage page = query.ListSearch(request);
    if (!page.ok)
        throw std::runtime_error(page.error.toStdString());
    QList<int> shown;
    QList<SheetColumn> columns;
    for (int c = 0; c < page.columns.size(); ++c) {
        const ListColumn& column = page.columns.at(c);
        if (column.hidden)
            continue;
        shown << c;
        columns << SheetColumn{column.caption, column.rightAligned};
    }
    std::unique_ptr<SheetWriter> sheet = SheetWriter::create(path, columns);
    qint64 written = 0;
    for (;;) {
        for (const ListItem& item : std::as_const(page.rows)) {
            QStringList cells;
            for (int c : std::as_const(shown))
                cells << item.cells.value(c);
            sheet->row(cells);
            ++written;
        }
        if (progress && !progress(written, page.total))
            return -1; // the writer goes without finishing: no file
        if (page.page >= page.pageCount)
            break;
        ++request.page;
        page = query.ListSearch(request);
        if (!page.ok)
            throw std::runtime_error(page.error.toStdString());
    }
    sheet->finish();
    return written;
}

bool ListSpreadsheet::exportList(const ListRequest& request, const Progress& progress) {
    Dialogs& dialogs = m_session.dialogs();
    const QString proposed =
        QDir(userDocumentsFolder())
            .filePath(QStringLiteral("매물목록_%1.xlsx")
                          .arg(m_session.clock().now().toString(QStringLiteral("yyyyMMdd"))));
    QString path = dialogs.saveFileName(title(), proposed, fileFilter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    try {
        const qint64 written = write(request, path, progress);
        if (written < 0)
            return false;
        dialogs.inform(
            QStringLiteral("%1\r\n\r\n위 파일로 매물 %2건을 저장하였습니다.").arg(path).arg(written),
            title());
        return true;
    } catch (const std::runtime_error& error) {
        m_session.WriteLog(
            QStringLiteral("ListSpreadsheet => %1 --> %2").arg(path, QString::fromStdString(error.what())));
        dialogs.critical(QString::fromStdString(error.what()), title());
    }
    return false;
}

} // namespace teran
