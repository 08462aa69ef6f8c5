#pragma once

#include "people/CardBook.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTreeWidget;

namespace teran {

class ColumnWidths;
class RegionCascade;
class Session;

// `frmNamecard` (명함집) and `frmCustomer` (고객관리): one window over the card book or the
// customer list, with its group tabs, a search mode with the tab "검색", the panel of one
// person with the person's notes, and printing of the ticked rows.
class frmCard : public QWidget {
    Q_OBJECT
public:
    frmCard(Session& session, CardPart part, QWidget* parent = nullptr);
    ~frmCard() override;

    const CardKind& kind() const { return m_book.kind(); }
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
    void nextPage(int step);
    QString statusText() const;
    int currentNumber() const { return m_number; }

Q_SIGNALS:
    void statusChanged(const QString& text);

private:
    void buildPanel(QWidget* parent);
    QWidget* buildButtons();
    void reloadGroups();
    void refillGroupCombo();
    void showCard(const Card& card);
    void clearPanel();
    Card panelCard() const;
    void showNotes();
    void tabChanged(int index);
    void setStatus(const QString& text);
    CardFilter filter() const;
    bool searching() const;

    Session& m_session;
    CardBook m_book;
    int m_number = 0; // the card in the panel; 0 for a new one
    int m_total = 0;
    int m_offset = 0;
    bool m_loadingTabs = false;
    std::optional<Card> m_search;
    QString m_status;
    QTabBar* m_tabs = nullptr;
    QTreeWidget* m_list = nullptr;
    QGroupBox* m_panel = nullptr;
    QComboBox* m_group = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_homtel = nullptr;
    QLineEdit* m_hantel = nullptr;
    QLineEdit* m_office = nullptr;
    QLineEdit* m_fax = nullptr;
    QLineEdit* m_addr4 = nullptr;
    QPlainTextEdit* m_work = nullptr;
    QTreeWidget* m_notes = nullptr;
    QGroupBox* m_notesFrame = nullptr;
    RegionCascade* m_region = nullptr;
    std::unique_ptr<ColumnWidths> m_widths;
    QPushButton* m_searchMode = nullptr;
    QPushButton* m_search_ = nullptr;
    QPushButton* m_searchOff = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_sms = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace teran
