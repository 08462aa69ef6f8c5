#include "frmUpgrade.h"

#include "core/online/ReferenceRefresh.h"
#include "core/session/Session.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

namespace {

QLabel* namedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

frmUpgrade::frmUpgrade(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_session(session) {
    setObjectName(QStringLiteral("frmUpgrade"));
    setWindowTitle(onlineServiceTitle());
    m_title = namedLabel(QStringLiteral("lblTitle"), this);
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_title->setFont(bold);
    m_state = namedLabel(QStringLiteral("lblState"), this);
    m_state->setMinimumWidth(260);
    m_start = new QPushButton(QStringLiteral("업데이트 시작"), this);
    m_start->setObjectName(QStringLiteral("cmdAc"));
    m_close = namedLabel(QStringLiteral("closelbl"), this);
    m_close->setText(QStringLiteral("닫기"));
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addSpacing(12);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_state);
    layout->addLayout(buttons);
    layout->setContentsMargins(24, 18, 24, 18);

    connect(m_start, &QPushButton::clicked, this, &frmUpgrade::cmdAc_Click);
}

void frmUpgrade::setJob(ReferenceJob job) {
    m_title->setText(refreshWindowTitle(job));
    m_start->setProperty("Tag", jobTag(job));
}

void frmUpgrade::cmdAc_Click() {
    const std::optional<ReferenceJob> job = jobFromTag(m_start->property("Tag").toString());
    if (!job || m_copying)
        return;
    m_start->setEnabled(false);
    m_copying = true;
    const bool done = runReferenceCopy(
        m_session, *job, [this](qint64 counter, qint64 total) { showProgress(counter, total); });
    m_copying = false;
    if (!done) {
        // The old rows are still there; the user may try again or close.
        m_start->setEnabled(true);
        return;
    }
    m_copied = true;
    accept();
}

void frmUpgrade::closelbl_Click() {
    if (!m_copying)
        QDialog::reject();
}

void frmUpgrade::showProgress(qint64 counter, qint64 total) {
    m_state->setText(refreshProgressText(counter, total));
    // Repaint only: a click now would land in the middle of the copy.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmUpgrade::closeEvent(QCloseEvent* event) {
    if (m_copying) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmUpgrade::reject() {
    closelbl_Click();
}

bool frmUpgrade::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_close && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        closelbl_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool runReferenceCheck(Session& session, ReferenceJob job, QWidget* parent) {
    if (checkReference(session, job) != RefreshCheck::Accepted)
        return false;
    frmUpgrade window(session, parent);
    window.setJob(job);
    window.exec();
    return window.copied();
}

} // namespace teran
