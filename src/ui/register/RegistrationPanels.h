#pragma once

#include <QObject>

class QMenu;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace teran {

class Session;

// The two panels of the registration window whose content each user chooses: the right-hand
// one (the seller frame, a clock, the file box or the logo) and the lower one (the three work
// tabs, a calendar, the price panels or the logo). The choice is made in their pop-up menu and
// kept per user (`mem_seting` "frmInsert").
class RegistrationPanels : public QObject {
    Q_OBJECT
public:
    // `seller` becomes the right-hand panel's first page; `window` owns the panels.
    RegistrationPanels(Session& session, QWidget* seller, QWidget* window);

    QStackedWidget* right() const { return m_right; }
    QStackedWidget* lower() const { return m_lower; }
    QTabWidget* workTabs() const { return m_work; }
    QTreeWidget* notes() const { return m_notes; }     // lvWork
    QPlainTextEdit* noteBox() const { return m_note; } // work

    // Shows the user's choice; the file box only serves a stored listing.
    void load(bool storedListing);

Q_SIGNALS:
    void workTabChanged();

private:
    void buildRight(QWidget* seller, QWidget* window);
    void buildLower(QWidget* window);
    void buildMenu(QWidget* window);
    void choose(int entry);

    Session& m_session;
    QStackedWidget* m_right = nullptr;
    QStackedWidget* m_lower = nullptr;
    QTabWidget* m_work = nullptr;
    QWidget* m_notesPanel = nullptr; // lvWork and the note box, on the page of the note tab chosen
    QTreeWidget* m_notes = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QLabel* m_clock = nullptr;
    QMenu* m_menu = nullptr;
    bool m_storedListing = false;
};

} // namespace teran
