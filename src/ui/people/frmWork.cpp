#include "frmWork.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

const QColor kOwnPrivate(128, 0, 128);
constexpr int kNoteRole = Qt::UserRole;

void fillRows(QTreeWidget* list, const QList<WorkNote>& notes, const QString& loginId) {
    list->clear();
    for (const WorkNote& note : notes) {
        auto* item =
            new QTreeWidgetItem(list, {QString(), WorkNoteBook::listDay(note), WorkNoteBook::listText(note)});
        item->setData(0, kNoteRole, note.number);
        if (!note.opid.isEmpty() && note.opid == loginId)
            for (int c = 0; c < 3; ++c)
                item->setForeground(c, kOwnPrivate);
    }
}

} // namespace

void fillNoteList(QTreeWidget* list, const QList<WorkNote>& notes, const QString& loginId) {
    list->setHeaderLabels({QString(), QStringLiteral("일시"), QStringLiteral("     진행상황   ")});
    fillRows(list, notes, loginId);
}

frmWork::frmWork(Session& session, NoteOwner owner, int note, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_owner(std::move(owner)) {
    setObjectName(QStringLiteral("frmWork"));
    setWindowTitle(QStringLiteral("작업내용"));
    resize(560, 520);
    auto* column = new QVBoxLayout(this);
    m_caller = named(new QLabel(m_owner.caller, this), "Label1");
    m_caller->hide();
    m_frame = named(new QGroupBox(m_owner.caption, this), "fraWork");
    auto* frame = new QVBoxLayout(m_frame);
    m_list = named(new QTreeWidget(m_frame), "lvWork");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QString(), QStringLiteral("작성일"), QStringLiteral("     작성내용   ")});
    m_day = named(new QDateEdit(m_frame), "writeday");
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_day->setCalendarPopup(true);
    m_text = named(new QPlainTextEdit(m_frame), "workVw");
    frame->addWidget(m_list, 1);
    frame->addWidget(m_day);
    frame->addWidget(m_text, 1);
    column->addWidget(m_frame, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = addButton(buttons, this, "cmdNew", QStringLiteral("새로작성"), EnterKey::Ignored);
    m_save = addButton(buttons, this, "cmdSave", QStringLiteral("저장"), EnterKey::Ignored);
    QPushButton* del = addButton(buttons, this, "cmdDel", QStringLiteral("삭제"), EnterKey::Ignored);
    buttons->addStretch();
    QPushButton* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    column->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &frmWork::cmdNew_Click);
    connect(m_save, &QPushButton::clicked, this, &frmWork::cmdSave_Click);
    connect(del, &QPushButton::clicked, this, &frmWork::cmdDel_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            open(item->data(0, kNoteRole).toInt());
    });
    reload();
    if (note > 0)
        open(note);
    else
        cmdNew_Click();
}

void frmWork::reload() {
    attemptStore(m_session, QStringLiteral("frmWork => "), [&] {
        fillRows(m_list, WorkNoteBook(m_session).ofOwner(m_owner.kind, m_owner.number, m_owner.lot),
                 m_session.state().LoginId);
    });
}

void frmWork::open(int note) {
    std::optional<WorkNote> found;
    attemptStore(m_session, QStringLiteral("frmWork => "),
                 [&] { found = WorkNoteBook(m_session).read(note); });
    if (!found)
        return;
    m_note = note;
    m_day->setDate(found->writeday.date());
    m_text->setPlainText(found->work);
    m_save->setText(QStringLiteral("수정"));
}

void frmWork::cmdNew_Click() {
    m_note = 0;
    m_text->clear();
    m_day->setDate(m_session.clock().today());
    m_save->setText(QStringLiteral("저장"));
    m_text->setFocus();
}

bool frmWork::cmdSave_Click() {
    const QString text = m_text->toPlainText();
    if (text.trimmed().isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("내용을 입력하세요."));
        return false;
    }
    const auto done = attemptStore(m_session, QStringLiteral("frmWork cmdSave => "), [&] {
        WorkNoteBook book(m_session);
        if (m_note > 0)
            book.update(m_note, m_day->date(), text);
        else
            m_note = book.add({m_owner.kind, m_owner.number,
                               m_owner.member.isEmpty() ? m_session.state().OfficeMainId : m_owner.member,
                               m_day->date(), text, QString(), QString(), m_owner.lot});
    });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    reload();
    m_save->setText(QStringLiteral("수정"));
    Q_EMIT notesChanged();
    return true;
}

bool frmWork::cmdDel_Click() {
    if (m_note <= 0)
        return false;
    if (!m_session.dialogs().askYesNo(QStringLiteral("정말 삭제하시겠습니까 ?"), QStringLiteral("삭제")))
        return false;
    const auto done = attemptStore(m_session, QStringLiteral("frmWork cmdDel => "),
                                   [&] { WorkNoteBook(m_session).remove(m_note); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    reload();
    Q_EMIT notesChanged();
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    else
        cmdNew_Click();
    return true;
}

} // namespace teran
