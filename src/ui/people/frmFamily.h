#pragma once

#include "core/people/StaffAccounts.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace teran {

class Session;

// `frmFamily` (직원현황): the office's staff accounts on the vendor's server, with the panel that
// makes a new one (after the id check) or edits the one clicked. The password is typed, never
// shown; a staff account can be disabled and enabled again.
class frmFamily : public QWidget {
    Q_OBJECT
public:
    explicit frmFamily(Session& session, QWidget* parent = nullptr);

    void reload();
    void select(int row);
    void cmdNew_Click();
    void IDck_Click();
    void cmdMember_Click();
    void cmdDisable_Click();
    QString statusText() const;
    bool editing() const { return m_editing.memIdx > 0; }

private:
    StaffForm formFromPanel() const;
    void fillPanel(const StaffForm& form);
    void setStatus(const QString& text);
    void idEdited();
    template <typename Work> bool attempt(const QString& routine, Work&& work);

    Session& m_session;
    QList<StaffRow> m_rows;
    StaffForm m_editing;
    bool m_idChecked = false;
    QTreeWidget* m_list = nullptr;
    QGroupBox* m_panel = nullptr;
    QLineEdit* m_id = nullptr;
    QLabel* m_idNote = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_showname = nullptr;
    QLineEdit* m_jumin = nullptr;
    QLineEdit* m_startday = nullptr;
    QLineEdit* m_addr[4] = {};
    QLineEdit* m_hom[3] = {};
    QLineEdit* m_han[3] = {};
    QLineEdit* m_fax[3] = {};
    QLineEdit* m_email = nullptr;
    QLineEdit* m_bigo = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_disable = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace teran
