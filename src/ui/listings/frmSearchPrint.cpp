#include "frmSearchPrint.h"

#include "ui/widgets/Named.h"

#include "ui/session/ReportPreview.h"

#include "core/session/Session.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLogLabel = QStringLiteral("종합검색 프린트하기 => ");

} // namespace

frmSearchPrint::frmSearchPrint(Session& session, PrintSource source, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_source(std::move(source)) {
    setObjectName(QStringLiteral("frmSearchPrint"));
    setWindowTitle(QStringLiteral("인쇄하기"));
    auto* layout = new QVBoxLayout(this);
    m_nowFrm = new QLineEdit(m_source.windowName, this);
    m_nowFrm->setObjectName(QStringLiteral("nowFrm"));
    m_nowFrm->hide();
    layout->addWidget(new QLabel(QStringLiteral("인쇄할 항목에 '√'표시를 해주세요."), this));
    m_head = new QListWidget(this);
    m_head->setObjectName(QStringLiteral("lvHead"));
    layout->addWidget(m_head, 1);
    auto* row = new QHBoxLayout;
    QPushButton* print =
        namedButton(this, QStringLiteral("cmdPrint"), QStringLiteral("인쇄하기"), EnterKey::Ignored);
    QPushButton* save =
        namedButton(this, QStringLiteral("cmdPsave"), QStringLiteral("설정저장"), EnterKey::Ignored);
    QPushButton* close =
        namedButton(this, QStringLiteral("cmdClose"), QStringLiteral("닫기"), EnterKey::Ignored);
    row->addWidget(print);
    row->addWidget(save);
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    connect(print, &QPushButton::clicked, this, &frmSearchPrint::printPage);
    connect(save, &QPushButton::clicked, this, &frmSearchPrint::savePicked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    fillColumns();
    resize(260, 420);
}

frmSearchPrint::~frmSearchPrint() = default;

QString frmSearchPrint::pageTitle() {
    return QStringLiteral("매물리스트");
}

PrintColumnsFile frmSearchPrint::columnsFile() const {
    return PrintColumnsFile(m_session.dataFolder(), m_session.state().LoginId, m_source.kind, m_source.tb);
}

void frmSearchPrint::fillColumns() {
    const PrintColumnsFile file = columnsFile();
    const QList<int> saved = file.read();
    // without a saved choice every column is printed
    const bool all = !file.exists();
    for (const PrintColumn& column : m_source.columns) {
        auto* item = new QListWidgetItem(column.caption, m_head);
        item->setData(Qt::UserRole, column.position);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(all || saved.contains(column.position) ? Qt::Checked : Qt::Unchecked);
    }
}

QList<PrintColumn> frmSearchPrint::pickedColumns() const {
    QList<PrintColumn> picked;
    for (int i = 0; i < m_head->count(); ++i) {
        const QListWidgetItem* item = m_head->item(i);
        if (item->checkState() == Qt::Checked)
            picked << PrintColumn{item->data(Qt::UserRole).toInt(), item->text()};
    }
    return picked;
}

void frmSearchPrint::savePicked() {
    const QString title = QStringLiteral("프린트 설정");
    if (!m_session.dialogs().askYesNo(QStringLiteral("현재 선택한 항목을 저장합니다.") + kCrLf + kCrLf +
                                          QStringLiteral("실행 하시겠습니까?"),
                                      title))
        return;
    QList<int> positions;
    for (const PrintColumn& column : pickedColumns())
        positions << column.position;
    const PrintColumnsFile file = columnsFile();
    if (!file.write(positions)) {
        m_session.WriteLog(kLogLabel + QStringLiteral("cannot write ") +
                           QDir::toNativeSeparators(file.path()));
        m_session.dialogs().critical(QStringLiteral("프린트 설정을 저장하지 못했습니다.") + kCrLf +
                                         QDir::toNativeSeparators(file.path()),
                                     title);
        return;
    }
    m_session.dialogs().inform(QStringLiteral("현재 리스트 간격상태를 저장하였습니다."),
                               QStringLiteral("저장완료"));
}

void frmSearchPrint::printPage() {
    const QList<PrintColumn> columns = pickedColumns();
    if (columns.isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("인쇄할 항목을 선택해 주세요."), windowTitle());
        return;
    }
    const QString path = ListPrintPage::pagePath(m_session.dataFolder(), m_session.state().LoginId);
    QString error;
    if (!ListPrintPage::write(path, ListPrintPage::html(columns, m_source.rows), &error)) {
        // the printed page does not need the file
        m_session.WriteLog(kLogLabel + error);
    }
    ReportPreview::hand(m_session, ListPrintPage::report(columns, m_source.rows, pageTitle()), this);
}

} // namespace teran
