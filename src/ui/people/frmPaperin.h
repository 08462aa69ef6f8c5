#pragma once

#include "core/people/Inquiry.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace teran {

class Session;

// `frmPaperin`: writes a message into another office's inquiry box, about one of its listings
// or in answer to a message of this office's box. The writer is this office: its name, phone
// and e-mail are filled in and can be changed.
class frmPaperin : public QDialog {
    Q_OBJECT
public:
    frmPaperin(Session& session, InquiryDraft draft, QWidget* parent = nullptr);

    bool cmdSave_Click();
    void cmdReset_Click();

private:
    void fill();

    Session& m_session;
    InquiryDraft m_draft;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_tel = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_content = nullptr;
    QLineEdit* m_listing = nullptr;
    QLineEdit* m_caller = nullptr;
};

} // namespace teran
