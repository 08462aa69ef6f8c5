#pragma once

#include "core/people/Clubs.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTreeWidget;

namespace teran {

class Session;

// `frmClub` (테란클럽): the user's clubs, a search, all clubs; the panel that makes, edits or
// shows a club; join and leave, the chairman's change, a message to the chairman, and for the
// chairman the members, whom it raises to full members or removes. The club listings open in
// the club list of the frame window.
class frmClub : public QWidget {
    Q_OBJECT
public:
    enum Tab { OwnTab = 0, SearchTab = 1, AllTab = 2 };
    enum class PanelMode { New, Edit, View };

    explicit frmClub(Session& session, QWidget* parent = nullptr);

    void showTab(int tab);
    // The club of a row of lvClub becomes the current club; its members fill lvMember at once.
    void select(int row);
    // An entry of the frame window's club menu (clubinfo, clubedit, clubdel, clubinout, clubmem,
    // clubpaper, clubmaemul, cluboner): the window opens on what the entry names.
    void openEntry(const QString& entry);
    void cmdSearch_Click();
    void showPanel(PanelMode mode);
    void cmdMkSave_Click();
    void clubdel_Click();
    void clubinout_Click();
    void cmdChange_Click();
    void cmdSend_Click();
    void clubmem_Click();
    void setMemberLevel(int level); // of the member selected in lvMember
    void removeMember();
    // The club listings: of the club chosen in cboClub, or with "클럽선택" of every club where the
    // user is a full member.
    void clubmaemul_Click();
    void cboClub_Click(int index);
    int currentClub() const { return m_current.clubIdx; }
    QMenu* popupMenu() const { return m_popup; }
    QString statusText() const;

Q_SIGNALS:
    // The club listings, to be opened by the frame window in its club list: of one club, or
    // with 0 of every club where the user is a full member.
    void listingsRequested(int club);

private:
    void fill(const QList<ClubRow>& rows);
    bool chooseFirstOwnClub();
    void fillMembers();
    void fillChoice(const QList<ClubRow>& own);
    void openListings(int club, const QString& name, int level);
    void fitPopup();
    void tell(const ClubOutcome& outcome);
    bool ask(const QString& text);
    QStringList tickedTypes() const;
    void tick(const QStringList& codes);
    template <typename Work> bool attempt(const QString& label, Work&& work);

    Session& m_session;
    QList<ClubRow> m_rows;
    ClubRow m_current;
    PanelMode m_mode = PanelMode::New;
    QComboBox* m_choice = nullptr;
    QTabBar* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QLineEdit* m_word = nullptr;
    QCheckBox* m_options[3] = {};
    QGroupBox* m_panel = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_kind = nullptr;
    QPlainTextEdit* m_content = nullptr;
    QList<QCheckBox*> m_types;
    QPushButton* m_save = nullptr;
    QLineEdit* m_newChairman = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QTreeWidget* m_members = nullptr;
    QList<QPushButton*> m_memberButtons;
    QLabel* m_status = nullptr;
};

} // namespace teran
