#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;

namespace teran {

class Session;

// The frame window of the program: the list windows open inside it, the status bar shows
// the connection state and the clock.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Session& session, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdi; }
    static QString windowTitleText();
    // "온라인" or "오프라인" with the data folder, as the status bar shows it.
    QString connectionText() const;

private:
    void buildStatusBar();
    void showClock();

    Session& m_session;
    QMdiArea* m_mdi;
    QLabel* m_connection = nullptr;
    QLabel* m_clock = nullptr;
};

} // namespace teran
