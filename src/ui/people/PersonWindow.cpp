#include "PersonWindow.h"

#include "NoteListClicks.h"
#include "core/listings/ListPrintPage.h"
#include "core/people/CardBook.h"
#include "core/people/SamePhone.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "frmSms.h"
#include "frmWork.h"
#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"
#include "ui/widgets/ColumnWidths.h"
#include "ui/widgets/Named.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kPage = 100;
constexpr int kNumberRole = Qt::UserRole;
const QString kAllTab = QStringLiteral("전체");
const QString kSearchTab = QStringLiteral("검색");

} // namespace

PersonWindow::PersonWindow(Session& session, PersonWindowSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_setup(std::move(setup)) {
    setObjectName(m_setup.windowName);
    setWindowTitle(m_setup.title);
    resize(1100, 700);
}

PersonWindow::~PersonWindow() = default;

void PersonWindow::build(QWidget* panel, QList<QPushButton*> extraButtons) {
    auto* column = new QVBoxLayout(this);
    m_tabs = named(new QTabBar(this), "tab");
    m_tabs->setObjectName(m_setup.tabsName);
    column->addWidget(m_tabs);
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_list = named(new QTreeWidget(split), "lvMy");
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels(m_setup.captions);
    m_widths = std::make_unique<ColumnWidths>(m_list);
    auto* right = new QWidget(split);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->addWidget(panel, 1);
    auto* notesFrame = named(new QGroupBox(m_setup.noteCaption, right), "fraWork");
    auto* notes = new QVBoxLayout(notesFrame);
    m_notes = named(new QTreeWidget(notesFrame), "lvWork");
    m_notes->setRootIsDecorated(false);
    fillNoteList(m_notes, {}, QString());
    notes->addWidget(m_notes);
    auto* noteButtons = new QHBoxLayout;
    noteButtons->addStretch();
    QPushButton* newNote =
        addButton(noteButtons, notesFrame, "cmdNewNote", QStringLiteral("새 메모"), EnterKey::Ignored);
    notes->addLayout(noteButtons);
    rightColumn->addWidget(notesFrame);
    split->addWidget(m_list);
    split->addWidget(right);
    split->setStretchFactor(0, 3);
    column->addWidget(split, 1);
    column->addWidget(buildButtons(extraButtons));
    connect(m_tabs, &QTabBar::currentChanged, this, &PersonWindow::tabChanged);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { selectRow(item ? m_list->indexOfTopLevelItem(item) : -1); });
    connect(m_notes, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openNote(item->data(0, kNumberRole).toInt()); });
    connect(newNote, &QPushButton::clicked, this, &PersonWindow::cmdNewNote_Click);
    // A double click on a note opens it; one on the list's empty part starts a new note.
    onDoubleClickOffItems(m_notes, [this] { cmdNewNote_Click(); });
    reloadGroups();
}

QWidget* PersonWindow::buildButtons(const QList<QPushButton*>& extra) {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* name, const QString& caption, auto handler) {
        QPushButton* b = addButton(row, bar, name, caption, EnterKey::Ignored);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    m_new = button("cmdNew", QStringLiteral("신규"), &PersonWindow::cmdNew_Click);
    button("cmdSave", QStringLiteral("저장"), &PersonWindow::cmdSave_Click);
    button("cmdEdit", QStringLiteral("수정"), &PersonWindow::cmdEdit_Click);
    button("cmdDel", QStringLiteral("삭제"), &PersonWindow::cmdDel_Click);
    for (QPushButton* b : extra)
        row->addWidget(b);
    m_sms = button("cmdSms", QStringLiteral("문자보내기"), &PersonWindow::cmdSms_Click);
    button("cmdPrint", QStringLiteral("인쇄"), &PersonWindow::cmdPrint_Click);
    m_searchMode = button("cmdSuchmode", QStringLiteral("검색모드"), &PersonWindow::cmdSuchmode_Click);
    m_search = button("cmdSuch", QStringLiteral("검색"), &PersonWindow::cmdSuch_Click);
    m_searchOff = button("cmdSuchoff", QStringLiteral("검색해제"), &PersonWindow::cmdSuchoff_Click);
    m_search->setEnabled(false);
    m_searchOff->setEnabled(false);
    button("cmdlvWith", QStringLiteral("간격저장"), &PersonWindow::cmdlvWith_Click);
    row->addStretch();
    button("cmdPrev", QStringLiteral("◀"), [this] { nextPage(-1); });
    m_count = named(new QLabel(bar), "lblCount");
    row->addWidget(m_count);
    button("cmdNext", QStringLiteral("▶"), [this] { nextPage(1); });
    button("cmdClose", QStringLiteral("닫기"), &QWidget::close);
    return bar;
}

QString PersonWindow::currentTab() const {
    return m_tabs->currentIndex() >= 0 ? m_tabs->tabText(m_tabs->currentIndex()) : kAllTab;
}

void PersonWindow::reloadGroups() {
    QStringList names;
    attemptStore(m_session, m_setup.logCaption, [&] { names = groups(); });
    const QString current = currentTab();
    m_loadingTabs = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_tabs->addTab(kAllTab);
    for (const QString& g : names)
        m_tabs->addTab(g);
    if (searching())
        m_tabs->addTab(kSearchTab);
    int chosen = 0;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->tabText(i) == current)
            chosen = i;
    m_tabs->setCurrentIndex(chosen);
    m_loadingTabs = false;
    offerGroups(names);
    m_offset = 0;
    reload();
}

void PersonWindow::tabChanged(int index) {
    if (m_loadingTabs || index < 0)
        return;
    if (searching() && m_tabs->tabText(index) != kSearchTab) {
        m_session.dialogs().inform(QStringLiteral("검색모드를 종료합니다."), QStringLiteral("알림"));
        cmdSuchoff_Click();
        return;
    }
    m_offset = 0;
    reload();
}

void PersonWindow::reload() {
    m_list->clear();
    const QString tab = currentTab();
    const bool search = searching() && tab == kSearchTab;
    QList<PersonRow> shown;
    const auto done = attemptStore(m_session, m_setup.logCaption, [&] {
        m_total = count(tab, search);
        shown = rows(tab, search, kPage, m_offset);
    });
    if (!done)
        return;
    setStatus(personLoadingText(m_setup.loadingPrefix, m_total, int(shown.size())));
    for (const PersonRow& row : shown) {
        auto* item = new QTreeWidgetItem(m_list, row.cells);
        item->setData(0, kNumberRole, row.number);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_widths->fitToContents();
    m_widths->apply(LayoutFile(m_session.dataFolder(), m_setup.layout, m_session.state().LoginId));
    m_count->setText(QStringLiteral("%1-%2 / %3")
                         .arg(shown.isEmpty() ? 0 : m_offset + 1)
                         .arg(m_offset + int(shown.size()))
                         .arg(m_total));
    setStatus(personFoundText(m_setup.searchPrefix, m_total));
}

void PersonWindow::nextPage(int step) {
    const int offset = m_offset + step * kPage;
    if (offset < 0 || offset >= m_total)
        return;
    m_offset = offset;
    reload();
}

void PersonWindow::setStatus(const QString& text) {
    m_status = text;
    Q_EMIT statusChanged(text);
}

void PersonWindow::selectRow(int row) {
    QTreeWidgetItem* item = row >= 0 ? m_list->topLevelItem(row) : nullptr;
    if (!item)
        return;
    const int number = item->data(0, kNumberRole).toInt();
    bool shown = false;
    attemptStore(m_session, m_setup.logCaption, [&] { shown = showPerson(number); });
    if (!shown)
        return;
    m_number = number;
    showNotes();
}

void PersonWindow::showNotes() {
    attemptStore(m_session, m_setup.logCaption, [&] {
        fillNoteList(m_notes, WorkNoteBook(m_session).of(m_setup.noteKind, m_number),
                     m_session.state().LoginId);
    });
}

void PersonWindow::cmdNew_Click() {
    m_number = 0;
    clearPanel();
    m_notes->clear();
    focusName();
}

void PersonWindow::cmdEdit_Click() {
    selectRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
}

bool PersonWindow::cmdSave_Click() {
    std::optional<PhoneHolder> same;
    attemptStore(m_session, m_setup.logCaption,
                 [&] { same = findPhoneHolder(m_session, panelMobile(), phoneTable(), m_number); });
    if (same && !m_session.dialogs().askYesNo(samePhoneQuestion(*same), QStringLiteral("확인")))
        return false;
    PersonSaveResult saved;
    const auto done = attemptStore(m_session, m_setup.logCaption + QStringLiteral("cmdSave "),
                                   [&] { saved = savePanel(m_number); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    m_session.dialogs().inform(saved.text, saved.title);
    if (!saved.saved) {
        focusName();
        return false;
    }
    m_number = saved.number;
    reloadGroups();
    attemptStore(m_session, m_setup.logCaption, [&] { showPerson(m_number); });
    showNotes();
    return true;
}

bool PersonWindow::cmdDel_Click() {
    if (m_list->topLevelItemCount() == 0) {
        m_session.dialogs().inform(QStringLiteral("삭제할 데이타가 없습니다."), QStringLiteral("알림"));
        return false;
    }
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return false;
    const QString question =
        item->text(m_setup.nameColumn) + QStringLiteral(" 님을 삭제하시겠습니까 ?") + m_setup.deleteWarning;
    if (!m_session.dialogs().askYesNo(question, QStringLiteral("확인")))
        return false;
    const int number = item->data(0, kNumberRole).toInt();
    const auto done =
        attemptStore(m_session, m_setup.logCaption + QStringLiteral("cmdDel "), [&] { remove(number); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    if (m_number == number)
        cmdNew_Click();
    reloadGroups();
    return true;
}

void PersonWindow::cmdSms_Click() {
    if (m_number <= 0)
        return;
    auto* sms = new frmSms(m_session, this);
    sms->setPerson(panelName(), phoneDigits(panelMobile()));
    showOpenedWindow(m_session.outlets(), sms);
}

void PersonWindow::cmdPrint_Click() {
    QList<QStringList> ticked;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        QStringList cells;
        for (int c = 0; c < m_list->columnCount(); ++c)
            cells << item->text(c);
        ticked << cells;
    }
    if (ticked.isEmpty()) {
        m_session.dialogs().inform(
            QStringLiteral("인쇄할 내용이 없습니다.\r\n\r\n인쇄할 목록에 '√'표시를 해주시기바랍니다."),
            QStringLiteral("인쇄하기"));
        return;
    }
    QList<PrintColumn> columns;
    for (int c = 0; c < m_setup.captions.size(); ++c)
        columns << PrintColumn{c, m_setup.captions.at(c)};
    ReportPreview::hand(m_session, ListPrintPage::report(columns, ticked, windowTitle()), this);
}

void PersonWindow::cmdSuchmode_Click() {
    m_search->setEnabled(true);
    m_searchOff->setEnabled(true);
    m_searchMode->setEnabled(false);
    m_new->setEnabled(false);
    m_sms->setEnabled(false);
    m_number = 0;
    clearPanel();
    m_notes->clear();
}

void PersonWindow::cmdSuch_Click() {
    takeSearch();
    m_searching = true;
    reloadGroups();
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->tabText(i) == kSearchTab)
            m_tabs->setCurrentIndex(i);
}

void PersonWindow::cmdSuchoff_Click() {
    m_searching = false;
    m_search->setEnabled(false);
    m_searchOff->setEnabled(false);
    m_searchMode->setEnabled(true);
    m_new->setEnabled(true);
    m_sms->setEnabled(true);
    reloadGroups();
}

void PersonWindow::cmdlvWith_Click() {
    m_widths->saveOrReset(m_session.dialogs(),
                          LayoutFile(m_session.dataFolder(), m_setup.layout, m_session.state().LoginId));
}

void PersonWindow::cmdNewNote_Click() {
    if (m_number <= 0) {
        m_session.dialogs().inform(QStringLiteral("메모를 남길 사람을 목록에서 고르거나 먼저 저장해 주세요."),
                                   m_setup.title);
        return;
    }
    openNote(0);
}

void PersonWindow::openNote(int note) {
    if (m_number <= 0)
        return;
    auto* window = new frmWork(
        m_session,
        {m_setup.noteKind, m_number, m_setup.windowName, m_setup.noteCaption, m_session.state().OfficeMainId},
        note, this);
    connect(window, &frmWork::notesChanged, this, &PersonWindow::showNotes);
    showOpenedWindow(m_session.outlets(), window);
}

} // namespace teran
