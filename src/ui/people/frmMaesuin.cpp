#include "frmMaesuin.h"

#include "BuyerPanel.h"
#include "NoteListClicks.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "core/session/WorkNotes.h"
#include "frmWork.h"
#include "ui/widgets/Named.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {
const QString kLog = QStringLiteral("frmMaesuin => ");
} // namespace

frmMaesuin::frmMaesuin(Session& session, int number, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_number(number) {
    setObjectName(QStringLiteral("frmMaesuin"));
    setWindowTitle(QStringLiteral("매수인 등록"));
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_panel = new BuyerPanel(session, this);
    left->addWidget(m_panel, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* save = addButton(buttons, this, "cmdSave", QStringLiteral("저장"), EnterKey::Ignored);
    QPushButton* move =
        addButton(buttons, this, "cmdMove", QStringLiteral("고객으로 저장"), EnterKey::Ignored);
    buttons->addStretch();
    QPushButton* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    left->addLayout(buttons);
    row->addLayout(left, 3);
    auto* notesFrame =
        named(new QGroupBox(QStringLiteral("* 매수인진행현황 및 관리자 메모 "), this), "fraWork");
    auto* notes = new QVBoxLayout(notesFrame);
    m_notes = named(new QTreeWidget(notesFrame), "lvWork");
    m_notes->setRootIsDecorated(false);
    fillNoteList(m_notes, {}, QString());
    m_day = named(new QDateEdit(m_session.clock().today(), notesFrame), "writeday");
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_text = named(new QPlainTextEdit(notesFrame), "workVw");
    auto* noteButtons = new QHBoxLayout;
    QPushButton* fresh =
        addButton(noteButtons, notesFrame, "cmdNew2", QStringLiteral("새 메모"), EnterKey::Ignored);
    m_saveNote = addButton(noteButtons, notesFrame, "cmdSave2", QStringLiteral("저장"), EnterKey::Ignored);
    QPushButton* del =
        addButton(noteButtons, notesFrame, "cmddel2", QStringLiteral("삭제"), EnterKey::Ignored);
    notes->addWidget(m_notes, 1);
    notes->addWidget(m_day);
    notes->addWidget(m_text, 1);
    notes->addLayout(noteButtons);
    row->addWidget(notesFrame, 2);
    connect(save, &QPushButton::clicked, this, &frmMaesuin::cmdSave_Click);
    connect(move, &QPushButton::clicked, this, &frmMaesuin::cmdMove_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(fresh, &QPushButton::clicked, this, &frmMaesuin::cmdNew2_Click);
    connect(m_saveNote, &QPushButton::clicked, this, &frmMaesuin::cmdSave2_Click);
    connect(del, &QPushButton::clicked, this, &frmMaesuin::cmddel2_Click);
    connect(m_notes, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            selectNote(item->data(0, Qt::UserRole).toInt());
    });
    // A double click where the list shows no note starts a new one in the editor below it.
    onDoubleClickOffItems(m_notes, [this] {
        m_notes->setCurrentItem(nullptr);
        cmdNew2_Click();
    });
    if (m_number > 0) {
        std::optional<Buyer> buyer;
        attemptStore(m_session, kLog, [&] { buyer = BuyerRegister(m_session).read(m_number); });
        if (buyer)
            m_panel->showBuyer(*buyer);
        else
            m_number = 0; // gone, or not the user's to see
    }
    showNotes();
}

void frmMaesuin::showNotes() {
    m_notes->clear();
    if (m_number <= 0)
        return;
    attemptStore(m_session, kLog, [&] {
        fillNoteList(m_notes, WorkNoteBook(m_session).of(NoteKind::Buyer, m_number),
                     m_session.state().LoginId);
    });
}

bool frmMaesuin::cmdSave_Click() {
    Buyer buyer = m_panel->buyer();
    buyer.number = m_number;
    const bool created = m_number <= 0;
    PersonSaveResult saved;
    const auto done = attemptStore(m_session, kLog + QStringLiteral("cmdSave "), [&] {
        saved = BuyerRegister(m_session).save({buyer, m_panel->privateTicked(), true,
                                               created ? m_text->toPlainText() : QString(), m_day->date()});
    });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    m_session.dialogs().inform(saved.text, saved.title);
    if (!saved.saved) {
        m_panel->focusName();
        return false;
    }
    m_number = saved.number;
    if (created)
        m_text->clear();
    showNotes();
    Q_EMIT buyersChanged();
    return true;
}

// The buyer saved first when new, then copied to the customers with the note typed; the buyer
// stays in the register.
bool frmMaesuin::cmdMove_Click() {
    if (m_number <= 0 && !cmdSave_Click())
        return false;
    if (!m_session.dialogs().askYesNo(BuyerRegister::moveQuestion(), QStringLiteral("이동")))
        return false;
    const auto moved = attemptStore(m_session, kLog + QStringLiteral("cmdMove "), [&] {
        BuyerRegister(m_session).moveToCustomers(m_number, m_text->toPlainText());
    });
    if (!moved) {
        showStoreFailure(m_session, *moved.failure(), StoreKind::Listing);
        return false;
    }
    m_session.dialogs().inform(QStringLiteral("저장을 완료하였습니다."), QStringLiteral("저장완료"));
    return true;
}

void frmMaesuin::selectNote(int note) {
    std::optional<WorkNote> found;
    attemptStore(m_session, kLog, [&] { found = WorkNoteBook(m_session).read(note); });
    if (!found)
        return;
    m_note = note;
    m_day->setDate(found->writeday.date());
    m_text->setPlainText(found->work);
    m_saveNote->setText(QStringLiteral("수정"));
}

void frmMaesuin::cmdNew2_Click() {
    m_note = 0;
    m_text->clear();
    m_day->setDate(m_session.clock().today());
    m_saveNote->setText(QStringLiteral("저장"));
    m_text->setFocus();
}

bool frmMaesuin::cmdSave2_Click() {
    const QString text = m_text->toPlainText();
    if (text.trimmed().isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("내용을 입력하세요."));
        return false;
    }
    // A buyer not stored yet is saved now; his first note goes with him.
    if (m_number <= 0)
        return cmdSave_Click();
    const auto done = attemptStore(m_session, kLog + QStringLiteral("cmdSave2 "), [&] {
        WorkNoteBook book(m_session);
        if (m_note > 0)
            book.update(m_note, m_day->date(), text);
        else
            m_note = book.add({NoteKind::Buyer, m_number, m_session.state().OfficeMainId, m_day->date(), text,
                               QString(), QString(), QString()});
    });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    showNotes();
    m_saveNote->setText(QStringLiteral("수정"));
    return true;
}

bool frmMaesuin::cmddel2_Click() {
    if (m_note <= 0 ||
        !m_session.dialogs().askYesNo(QStringLiteral("정말 삭제하시겠습니까 ?"), QStringLiteral("삭제")))
        return false;
    const auto done = attemptStore(m_session, kLog + QStringLiteral("cmddel2 "),
                                   [&] { WorkNoteBook(m_session).remove(m_note); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    cmdNew2_Click();
    showNotes();
    return true;
}

} // namespace teran
