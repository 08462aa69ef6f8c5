#pragma once

#include "core/session/WorkNotes.h"

#include <QDialog>

class QDateEdit;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace teran {

class Session;

// Whose notes `frmWork` keeps: the owner kind and number, and the window that opened it.
struct NoteOwner {
    QString kind;
    int number = 0;
    QString caller;   // `Label1`: "frmNamecard", "frmCustomer", "frmMaesu" …
    QString caption;  // the frame's caption, e.g. "* 명함집 상세내용"
    QString member;   // the member id a new note is kept for (`hdnMid`)
    QString lot = {}; // a listing's lot address: the notes kept under the lot
};

// `frmWork`: the notes of one owner, one of them open for writing. A new note is public; the
// lists show the user's own private notes in purple.
class frmWork : public QDialog {
    Q_OBJECT
public:
    frmWork(Session& session, NoteOwner owner, int note, QWidget* parent = nullptr);

    bool cmdSave_Click();
    void cmdNew_Click();
    bool cmdDel_Click();
    int currentNote() const { return m_note; }

Q_SIGNALS:
    // A note was written, changed or deleted: the caller refills its note list.
    void notesChanged();

private:
    void reload();
    void open(int note);

    Session& m_session;
    NoteOwner m_owner;
    int m_note = 0;
    QGroupBox* m_frame = nullptr;
    QLabel* m_caller = nullptr;
    QTreeWidget* m_list = nullptr;
    QDateEdit* m_day = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_save = nullptr;
};

// Fills a note list (`lvWork`) of an owner window: "", "일시", "     진행상황   ", the note's
// number in the first column, the user's own private notes in purple.
void fillNoteList(QTreeWidget* list, const QList<WorkNote>& notes, const QString& loginId);

} // namespace teran
