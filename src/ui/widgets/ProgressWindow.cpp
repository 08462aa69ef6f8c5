#include "ProgressWindow.h"

#include <QCoreApplication>

namespace teran {

ProgressWindow::ProgressWindow(QWidget* parent, const QString& title, const QString& label)
    : m_dialog(label, QStringLiteral("취소"), 0, 0, parent) {
    m_dialog.setObjectName(QStringLiteral("frmProgress"));
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(400);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
}

bool ProgressWindow::step(qint64 done, qint64 total) {
    return step(QString(), done, total);
}

bool ProgressWindow::step(const QString& doing, qint64 done, qint64 total) {
    // QProgressDialog counts in int; large totals are shown in thousandths.
    const int scaledTotal = total > 0 ? 1000 : 0;
    const int scaledDone = total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 0;
    if (m_dialog.maximum() != scaledTotal)
        m_dialog.setMaximum(scaledTotal);
    const QString count = total > 0 ? QStringLiteral("%1 / %2").arg(done).arg(total) : QString::number(done);
    m_dialog.setLabelText(doing.isEmpty() ? count : doing + QLatin1Char('\n') + count);
    m_dialog.setValue(scaledDone);
    QCoreApplication::processEvents();
    return !m_dialog.wasCanceled();
}

void ProgressWindow::finish() {
    m_dialog.hide();
    QCoreApplication::processEvents();
}

ServerWait::~ServerWait() {
    if (m_window)
        m_window->finish();
}

std::function<bool()> ServerWait::cancelled() {
    return [this] {
        if (!m_window)
            m_window.emplace(m_parent, QStringLiteral("서버 응답 대기"),
                             QStringLiteral("본사 서버의 응답을 기다리고 있습니다."));
        return !m_window->step(0, 0);
    };
}

} // namespace teran
