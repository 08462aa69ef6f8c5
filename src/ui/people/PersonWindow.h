#pragma once

#include "core/people/CardBook.h"
#include "core/session/LayoutFile.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;
class QTreeWidget;

namespace teran {

class ColumnWidths;
class Session;

// What tells the people windows apart besides their panel.
struct PersonWindowSetup {
    QString windowName; // "frmNamecard", "frmCustomer", "frmMaesu"
    QString title;
    QString tabsName; // "tabNamecard", "tabMaesu"
    LayoutKind layout;
    QString noteKind;
    QString noteCaption;
    QString logCaption;
    QString loadingPrefix; // "고객관리 (총 "
    QString searchPrefix;  // "고객관리 (검색결과 "
    QStringList captions;  // the list's columns
    int nameColumn = 3;    // the column of the person's name
    QString deleteWarning; // after "홍길동 님을 삭제하시겠습니까 ?"
};

// One row of a people list: the person's number and cells.
struct PersonRow {
    int number = 0;
    QStringList cells;
};

// The frame the people windows share: the group tabs with the "검색" tab of the search mode,
// the paged list with its tick boxes, the panel of one person (made by the window), the
// person's notes and the note window, printing of ticked rows, the SMS window and the column
// widths. A window brings its panel and its book.
class PersonWindow : public QWidget {
    Q_OBJECT
public:
    ~PersonWindow() override;

    void reload();
    void selectRow(int row);
    void cmdNew_Click();
    bool cmdSave_Click();
    void cmdEdit_Click();
    bool cmdDel_Click();
    void cmdSms_Click();
    void cmdPrint_Click();
    void cmdSuchmode_Click();
    void cmdSuch_Click();
    void cmdSuchoff_Click();
    void cmdlvWith_Click();
    void openNote(int note);
    // `cmdNewNote` (새 메모), or a double click where the note list shows no note: the note
    // window on a new note of the person shown.
    void cmdNewNote_Click();
    void nextPage(int step);
    QString statusText() const { return m_status; }
    int currentNumber() const { return m_number; }
    const PersonWindowSetup& setup() const { return m_setup; }

Q_SIGNALS:
    void statusChanged(const QString& text);

protected:
    PersonWindow(Session& session, PersonWindowSetup setup, QWidget* parent);
    // Called by the window's constructor once its panel is made.
    void build(QWidget* panel, QList<QPushButton*> extraButtons = {});
    // The group tabs read again, then the list.
    void reloadGroups();

    // The rows of a tab ("전체" or a group), or of the search taken by takeSearch().
    virtual QStringList groups() = 0;
    virtual void offerGroups(const QStringList& groups) = 0; // to the panel's group combo
    virtual int count(const QString& tab, bool search) = 0;
    virtual QList<PersonRow> rows(const QString& tab, bool search, int limit, int offset) = 0;
    // Shows the stored person in the panel; false when there is none (to be seen).
    virtual bool showPerson(int number) = 0;
    virtual void clearPanel() = 0;
    // Stores the panel (number 0: a new person); the number, 0 when nothing was stored.
    virtual PersonSaveResult savePanel(int number) = 0;
    virtual void remove(int number) = 0;
    virtual void takeSearch() = 0; // the panel as the search's conditions
    virtual QString panelName() const = 0;
    virtual QString panelMobile() const = 0;
    virtual QString phoneTable() const = 0; // the table of the row being saved
    virtual void focusName() = 0;

    Session& m_session;

private:
    QWidget* buildButtons(const QList<QPushButton*>& extra);
    void tabChanged(int index);
    void showNotes();
    void setStatus(const QString& text);
    QString currentTab() const;
    bool searching() const { return m_searching; }

    PersonWindowSetup m_setup;
    int m_number = 0;
    int m_total = 0;
    int m_offset = 0;
    bool m_loadingTabs = false;
    bool m_searching = false;
    QString m_status;
    QTabBar* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QTreeWidget* m_notes = nullptr;
    std::unique_ptr<ColumnWidths> m_widths;
    QPushButton* m_searchMode = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_searchOff = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_sms = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace teran
