#include "frmPaperin.h"

#include "core/people/OfficePhone.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

frmPaperin::frmPaperin(Session& session, InquiryDraft draft, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_draft(std::move(draft)) {
    setObjectName(QStringLiteral("frmPaperin"));
    setWindowTitle(InquiryTexts::entryTitle());
    const SessionState& state = session.state();
    m_draft.from = state.LoginId;
    if (m_draft.name.isEmpty()) {
        m_draft.name = state.AuthConfig.name;
        m_draft.tel = state.AuthConfig.phone;
        m_draft.email = state.AuthConfig.email;
    }
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = named(new QLineEdit(this), "mname");
    m_tel = named(new QLineEdit(this), "tel");
    m_email = named(new QLineEdit(this), "email");
    m_title = named(new QLineEdit(this), "title");
    m_content = named(new QPlainTextEdit(this), "content");
    m_listing = named(new QLineEdit(this), "hdnid");
    m_caller = named(new QLineEdit(this), "hdnForm");
    m_listing->hide();
    m_caller->hide();
    form->addRow(QStringLiteral("이름"), m_name);
    form->addRow(QStringLiteral("연락처"), m_tel);
    form->addRow(QStringLiteral("이메일"), m_email);
    form->addRow(QStringLiteral("제목"), m_title);
    form->addRow(QStringLiteral("내용"), m_content);
    column->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = addButton(buttons, this, "cmdSave", QStringLiteral("보내기"), EnterKey::Ignored);
    auto* reset = addButton(buttons, this, "cmdReset", QStringLiteral("다시쓰기"), EnterKey::Ignored);
    auto* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫  기"), EnterKey::Ignored);
    column->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &frmPaperin::cmdSave_Click);
    connect(reset, &QPushButton::clicked, this, &frmPaperin::cmdReset_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 420);
    fill();
}

void frmPaperin::fill() {
    m_name->setText(m_draft.name);
    m_tel->setText(m_draft.tel);
    m_email->setText(m_draft.email);
    m_title->setText(m_draft.title);
    m_content->setPlainText(m_draft.content);
    m_listing->setText(m_draft.listing > 0 ? QString::number(m_draft.listing) : QString());
    m_caller->setText(m_draft.answer ? QStringLiteral("paper") : QString());
}

void frmPaperin::cmdReset_Click() {
    fill();
}

bool frmPaperin::cmdSave_Click() {
    InquiryDraft d = m_draft;
    d.name = m_name->text().trimmed();
    d.tel = m_tel->text().trimmed();
    d.email = m_email->text().trimmed();
    d.title = m_title->text().trimmed();
    d.content = m_content->toPlainText();
    if (const QString problem = inquiryProblem(d); !problem.isEmpty()) {
        m_session.dialogs().inform(problem, InquiryTexts::entryTitle());
        return false;
    }
    const auto sent = attemptStore(m_session, QStringLiteral("문의하기 cmdSave_Click => "),
                                   [&] { return InquiryPost(m_session).send(d); });
    if (!sent) {
        showStoreFailure(m_session, *sent.failure(), StoreKind::Server);
        return false;
    }
    if (!*sent) {
        m_session.dialogs().inform(InquiryTexts::unknownAddressee(), InquiryTexts::entryTitle());
        return false;
    }
    keepOfficePhone(m_session, d.tel);
    m_session.dialogs().inform(InquiryTexts::sent(), InquiryTexts::entryTitle());
    accept();
    return true;
}

} // namespace teran
