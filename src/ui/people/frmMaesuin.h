#pragma once

#include <QDialog>

class QDateEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace teran {

class BuyerPanel;
class Session;

// `frmMaesuin`: one buyer entered or changed, with an inline editor of the buyer's notes; a
// new buyer needs a type and a transaction and may take its first note along.
class frmMaesuin : public QDialog {
    Q_OBJECT
public:
    frmMaesuin(Session& session, int number, QWidget* parent = nullptr); // 0: a new buyer

    int number() const { return m_number; }
    bool cmdSave_Click();
    bool cmdMove_Click();
    void cmdNew2_Click();
    bool cmdSave2_Click();
    bool cmddel2_Click();
    void selectNote(int note);

Q_SIGNALS:
    void buyersChanged();

private:
    void showNotes();

    Session& m_session;
    int m_number;
    int m_note = 0;
    BuyerPanel* m_panel = nullptr;
    QTreeWidget* m_notes = nullptr;
    QDateEdit* m_day = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_saveNote = nullptr;
};

} // namespace teran
