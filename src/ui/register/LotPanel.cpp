#include "LotPanel.h"

#include "ui/session/ReportPreview.h"

#include "core/listings/ListPrintPage.h"
#include "core/register/LotListings.h"
#include "core/register/RegisterTexts.h"
#include "core/session/LayoutFile.h"
#include "core/session/Session.h"
#include "ui/widgets/ColumnWidths.h"

#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrlQuery>

namespace teran {

LotPanel::LotPanel(Session& session, QWidget* parent)
    : QTabWidget(parent)
    , m_session(session)
    , m_listings(new QTreeWidget(this))
    , m_info(new QTextBrowser(this))
    , m_web(new QNetworkAccessManager(this)) {
    setObjectName(QStringLiteral("tabLot"));
    m_listings->setObjectName(QStringLiteral("lvMy"));
    m_listings->setHeaderLabels(lotListingCaptions());
    m_listings->setRootIsDecorated(false);
    m_listings->setContextMenuPolicy(Qt::CustomContextMenu);
    addTab(m_listings, QStringLiteral("지번별 매물"));
    m_info->setObjectName(QStringLiteral("web_info"));
    m_info->setOpenLinks(false);
    addTab(m_info, QStringLiteral("지번 정보"));
    connect(m_listings, &QTreeWidget::customContextMenuRequested, this, &LotPanel::showMenu);
}

void LotPanel::showMenu(const QPoint& at) {
    QMenu menu(this);
    QAction* widths = menu.addAction(QStringLiteral("간격상태저장"));
    QAction* print = menu.addAction(QStringLiteral("인쇄하기"));
    QAction* chosen = menu.exec(m_listings->viewport()->mapToGlobal(at));
    if (chosen == print)
        printTicked();
    if (chosen == widths) {
        ColumnWidths fitted(m_listings);
        fitted.setDefaultWidths(fitted.fittedWidths());
        fitted.saveOrReset(m_session.dialogs(),
                           LayoutFile(m_session.dataFolder(), LayoutKind::Insert, m_session.state().LoginId));
    }
}

void LotPanel::showListings(const QList<ListingRow>& rows) {
    m_listings->clear();
    for (const ListingRow& row : rows) {
        auto* item = new QTreeWidgetItem(m_listings, lotListingCells(row));
        item->setCheckState(0, Qt::Unchecked);
    }
    ColumnWidths widths(m_listings);
    widths.fitToContents();
    widths.apply(LayoutFile(m_session.dataFolder(), LayoutKind::Insert, m_session.state().LoginId));
    setCurrentWidget(m_listings);
}

void LotPanel::clear() {
    m_listings->clear();
}

void LotPanel::printTicked() {
    if (m_listings->topLevelItemCount() == 0) {
        m_session.dialogs().inform(QStringLiteral("인쇄할 내용이 없습니다."), RegisterTexts::windowTitle());
        return;
    }
    QList<QStringList> rows;
    for (int i = 0; i < m_listings->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_listings->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        QStringList cells;
        for (int c = 0; c < item->columnCount(); ++c)
            cells << item->text(c);
        rows << cells;
    }
    if (rows.isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("인쇄할 목록에 '√'표시를 해주시기바랍니다."),
                                   RegisterTexts::windowTitle());
        return;
    }
    QList<PrintColumn> columns;
    const QStringList captions = lotListingCaptions();
    for (int c = 1; c < captions.size(); ++c) // the tick column is not printed
        columns << PrintColumn{c, captions.at(c)};
    ReportPreview::hand(m_session, ListPrintPage::report(columns, rows, RegisterTexts::windowTitle()), this);
}

void LotPanel::lookUp(const QStringList& lot, const QString& tb, const QString& name) {
    const QString base = m_session.config().webBaseUrl;
    if (base.isEmpty())
        return;
    QUrl url(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/'));
    url = url.resolved(QUrl(QStringLiteral("vb/jibuninfo.php")));
    QUrlQuery fields;
    for (int i = 0; i < 4; ++i)
        fields.addQueryItem(QStringLiteral("addr%1").arg(i + 1), lot.value(i));
    fields.addQueryItem(QStringLiteral("tb"), tb);
    fields.addQueryItem(QStringLiteral("cboname"), name);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_session.config().connectSeconds * 1000);
    QNetworkReply* reply = m_web->post(request, fields.toString(QUrl::FullyEncoded).toUtf8());
    m_info->setPlainText(QStringLiteral("지번 정보를 불러오는 중입니다..."));
    setCurrentWidget(m_info);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            m_info->setPlainText(QStringLiteral("지번 정보를 불러오지 못했습니다: ") + reply->errorString());
            m_session.WriteLog(QStringLiteral("-web_info => ") + reply->errorString() +
                               QStringLiteral(" => jibuninfo"));
            return;
        }
        m_info->setHtml(QString::fromUtf8(reply->readAll()));
    });
}

} // namespace teran
