#pragma once

#include "core/online/ReferenceJob.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace teran {

class Session;

// The small window that copies a reference table from the vendor's server: its title names
// the job, the start button (whose Tag keeps the job, "post" or "subway") runs the copy while
// the state line counts the rows, and the close label leaves without copying.
class frmUpgrade : public QDialog {
    Q_OBJECT
public:
    explicit frmUpgrade(Session& session, QWidget* parent = nullptr);

    // Shows the job's title and gives the start button its Tag.
    void setJob(ReferenceJob job);
    bool copying() const { return m_copying; }
    bool copied() const { return m_copied; }

    // The routines behind the controls.
    void cmdAc_Click();
    void closelbl_Click();

protected:
    // The window stays while a copy runs: the copy finishes or rolls back on its own.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showProgress(qint64 counter, qint64 total);

    Session& m_session;
    QLabel* m_title = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_close = nullptr;
    bool m_copying = false;
    bool m_copied = false;
};

// The menu entries downPost and downSubway: compares the counts of both stores and, when the
// user wants the copy, opens frmUpgrade modally for the job. True when the office's table was
// replaced.
bool runReferenceCheck(Session& session, ReferenceJob job, QWidget* parent = nullptr);

} // namespace teran
