#pragma once

#include "core/session/SettingsStore.h"

#include <QMdiArea>

namespace teran {

// The frame's MDI area. While no window covers it, it shows the user's start panel: one of
// the two work panels or the logo.
class StartPanelArea : public QMdiArea {
    Q_OBJECT
public:
    explicit StartPanelArea(QWidget* parent = nullptr);

    void setPanel(StartPanel panel);
    StartPanel panel() const { return m_panel; }

    static QString panelName(StartPanel panel); // "work1", "work2", "logo"
    static QString panelTitle(StartPanel panel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintWork(QPainter& painter, const QRect& area) const;
    void paintLogo(QPainter& painter, const QRect& area) const;

    StartPanel m_panel = StartPanel::Logo;
};

} // namespace teran
