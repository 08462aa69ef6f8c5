#include "StartPanelArea.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace teran {

namespace {

// What the work panels remind the user of: the usual round of the day.
QStringList workSteps(StartPanel panel) {
    if (panel == StartPanel::Work1)
        return {QStringLiteral("1. 매물종류를 메뉴에서 고릅니다."),
                QStringLiteral("2. 왼쪽 검색창에서 조건을 넣고 검색합니다."),
                QStringLiteral("3. 목록에서 매물을 체크하고 매물관리 메뉴로 등록·삭제·이동합니다.")};
    return {QStringLiteral("내매물 · 클럽매물 · 공유매물 단추로 목록의 종류를 고릅니다."),
            QStringLiteral("날짜갱신으로 공유매물을 60일 안에 두십시요."),
            QStringLiteral("매도인과 중개업소에 문자를 보낼 수 있습니다.")};
}

} // namespace

StartPanelArea::StartPanelArea(QWidget* parent)
    : QMdiArea(parent) {}

QString StartPanelArea::panelName(StartPanel panel) {
    switch (panel) {
    case StartPanel::Work1:
        return QStringLiteral("work1");
    case StartPanel::Work2:
        return QStringLiteral("work2");
    case StartPanel::Logo:
        break;
    }
    return QStringLiteral("logo");
}

QString StartPanelArea::panelTitle(StartPanel panel) {
    switch (panel) {
    case StartPanel::Work1:
        return QStringLiteral("업무화면 1");
    case StartPanel::Work2:
        return QStringLiteral("업무화면 2");
    case StartPanel::Logo:
        break;
    }
    return QStringLiteral("부동산전문 관리프로그램 TERAN");
}

void StartPanelArea::setPanel(StartPanel panel) {
    m_panel = panel;
    viewport()->update();
}

void StartPanelArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = viewport()->rect().adjusted(40, 40, -40, -40);
    if (m_panel == StartPanel::Logo)
        paintLogo(painter, area);
    else
        paintWork(painter, area);
}

void StartPanelArea::paintLogo(QPainter& painter, const QRect& area) const {
    QFont title = painter.font();
    title.setPointSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(255, 255, 255, 220));
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("TERAN"));
    QFont caption = painter.font();
    caption.setPointSize(14);
    caption.setBold(false);
    painter.setFont(caption);
    painter.drawText(area.adjusted(0, 90, 0, 0), Qt::AlignHCenter | Qt::AlignVCenter, panelTitle(m_panel));
}

void StartPanelArea::paintWork(QPainter& painter, const QRect& area) const {
    const QRect card(area.center().x() - 260, area.center().y() - 120, 520, 240);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, QColor(250, 250, 255));
    fill.setColorAt(1, QColor(220, 228, 245));
    painter.setBrush(fill);
    painter.setPen(QColor(90, 110, 160));
    painter.drawRoundedRect(card, 12, 12);
    QFont title = painter.font();
    title.setPointSize(16);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(card.adjusted(24, 16, -24, 0), Qt::AlignLeft | Qt::AlignTop, panelTitle(m_panel));
    QFont text = painter.font();
    text.setPointSize(11);
    text.setBold(false);
    painter.setFont(text);
    painter.setPen(QColor(40, 40, 60));
    int y = card.top() + 70;
    for (const QString& line : workSteps(m_panel)) {
        painter.drawText(QRect(card.left() + 24, y, card.width() - 48, 40), Qt::AlignLeft | Qt::TextWordWrap,
                         line);
        y += 48;
    }
}

} // namespace teran
