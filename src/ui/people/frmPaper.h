#pragma once

#include "core/people/Inquiry.h"
#include "core/session/StoreAttempt.h"

#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace teran {

class Session;

// `frmPaper` (문의함): the messages left for the office about its listings, newest first. A
// message is marked read when it is first selected; from it the user opens the listing,
// answers the office that wrote, or sends a text to the inquirer's phone.
class frmPaper : public QWidget {
    Q_OBJECT
public:
    explicit frmPaper(Session& session, QWidget* parent = nullptr);

    void reload();
    void select(int row);
    bool cmdDel_Click();
    void maemul_Click();
    void paper_Click();
    void sms_Click();
    QString statusText() const;
    const Inquiry* current() const;

Q_SIGNALS:
    // The listing of a message, to be opened in the registration window (by the frame).
    void listingRequested(int listing);

private:
    qsizetype currentIndex() const; // of the message under the cursor in m_inquiries; -1 for none
    void showMessage(const Inquiry& inquiry);
    void clearFrame();
    void setStatus(const QString& text);
    bool serverReachable();
    // Store work of the window: a failure is written to the log under the routine and told.
    template <typename Work> auto attempt(const QString& routine, Work&& work) {
        auto done = attemptStore(m_session, QStringLiteral("문의함 ") + routine + QStringLiteral(" => "),
                                 std::forward<Work>(work));
        if (!done)
            storeFailed(*done.failure());
        return done;
    }
    void storeFailed(const StoreFailure& failure);
    void markItem(QTreeWidgetItem* item, const Inquiry& inquiry);

    Session& m_session;
    QList<Inquiry> m_inquiries;
    QToolBar* m_tools = nullptr;
    QTreeWidget* m_list = nullptr;
    QGroupBox* m_frame = nullptr;
    QLabel* m_from = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_day = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace teran
