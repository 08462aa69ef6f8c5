#include "frmCard.h"

#include "frmSms.h"
#include "frmWork.h"
#include "listings/ListPrintPage.h"
#include "people/SamePhone.h"
#include "register/RegionCascade.h"
#include "session/ColumnWidths.h"
#include "session/Named.h"
#include "session/OpenedWindow.h"
#include "session/ReportPreview.h"
#include "session/Session.h"
#include "session/StoreAttempt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

QLineEdit* field(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

QComboBox* combo(QWidget* parent, const char* name, bool editable) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(editable);
    return box;
}

} // namespace

frmCard::frmCard(Session& session, CardPart part, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_book(session, part) {
    setObjectName(kind().windowName);
    setWindowTitle(part == CardPart::Namecard ? QStringLiteral("명함관리") : QStringLiteral("고객관리"));
    resize(1100, 700);
    auto* column = new QVBoxLayout(this);
    m_tabs = named(new QTabBar(this), "tabNamecard");
    column->addWidget(m_tabs);
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_list = named(new QTreeWidget(split), "lvMy");
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setHeaderLabels(CardBook::listCaptions());
    m_widths = std::make_unique<ColumnWidths>(m_list);
    auto* right = new QWidget(split);
    auto* rightColumn = new QVBoxLayout(right);
    buildPanel(right);
    rightColumn->addWidget(m_panel, 1);
    split->addWidget(m_list);
    split->addWidget(right);
    split->setStretchFactor(0, 3);
    column->addWidget(split, 1);
    column->addWidget(buildButtons());
    connect(m_tabs, &QTabBar::currentChanged, this, &frmCard::tabChanged);
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { selectRow(item ? m_list->indexOfTopLevelItem(item) : -1); });
    connect(m_notes, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openNote(item->data(0, kNumberRole).toInt()); });
    reloadGroups();
}

frmCard::~frmCard() = default;

void frmCard::buildPanel(QWidget* parent) {
    m_panel = named(new QGroupBox(parent), "pic_bod");
    auto* form = new QFormLayout(m_panel);
    m_group = combo(m_panel, "groupin", true);
    m_company = field(m_panel, "company");
    m_name = field(m_panel, "txtName");
    m_email = field(m_panel, "email");
    m_homtel = field(m_panel, "homtel");
    m_hantel = field(m_panel, "hantel");
    m_office = field(m_panel, "office");
    m_fax = field(m_panel, "fax");
    auto* region = new QHBoxLayout;
    for (const char* name : {"addr1", "addr2", "addr3"})
        region->addWidget(combo(m_panel, name, false));
    m_addr4 = field(m_panel, "addr4");
    m_addr4->setPlaceholderText(QStringLiteral("지번"));
    region->addWidget(m_addr4);
    m_work = named(new QPlainTextEdit(m_panel), "work");
    m_work->setPlaceholderText(CardBook::notePlaceholder());
    m_work->setMaximumHeight(90);
    form->addRow(QStringLiteral("그룹"), m_group);
    form->addRow(QStringLiteral("회사명"), m_company);
    form->addRow(QStringLiteral("이름"), m_name);
    form->addRow(QStringLiteral("이메일"), m_email);
    form->addRow(QStringLiteral("집전화"), m_homtel);
    form->addRow(QStringLiteral("핸드폰"), m_hantel);
    form->addRow(QStringLiteral("사무실"), m_office);
    form->addRow(QStringLiteral("팩스"), m_fax);
    form->addRow(QStringLiteral("주소"), region);
    form->addRow(QStringLiteral("상세내용"), m_work);
    m_notesFrame = named(new QGroupBox(kind().noteCaption, m_panel), "fraNamecard");
    auto* notes = new QVBoxLayout(m_notesFrame);
    m_notes = named(new QTreeWidget(m_notesFrame), "lvWork");
    m_notes->setRootIsDecorated(false);
    fillNoteList(m_notes, {}, QString());
    notes->addWidget(m_notes);
    form->addRow(m_notesFrame);
    m_region = RegionCascade::attach(m_session, m_panel);
    if (m_region)
        m_region->loadRegions();
}

QWidget* frmCard::buildButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* name, const QString& caption, void (frmCard::*handler)()) {
        QPushButton* b = addButton(row, bar, name, caption, EnterKey::Ignored);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    m_new = button("cmdNew", QStringLiteral("신규"), &frmCard::cmdNew_Click);
    QPushButton* save = addButton(row, bar, "cmdSave", QStringLiteral("저장"), EnterKey::Ignored);
    connect(save, &QPushButton::clicked, this, &frmCard::cmdSave_Click);
    button("cmdEdit", QStringLiteral("수정"), &frmCard::cmdEdit_Click);
    QPushButton* del = addButton(row, bar, "cmdDel", QStringLiteral("삭제"), EnterKey::Ignored);
    connect(del, &QPushButton::clicked, this, &frmCard::cmdDel_Click);
    m_sms = button("cmdSms", QStringLiteral("문자보내기"), &frmCard::cmdSms_Click);
    button("cmdPrint", QStringLiteral("인쇄"), &frmCard::cmdPrint_Click);
    m_searchMode = button("cmdSuchmode", QStringLiteral("검색모드"), &frmCard::cmdSuchmode_Click);
    m_search_ = button("cmdSuch", QStringLiteral("검색"), &frmCard::cmdSuch_Click);
    m_searchOff = button("cmdSuchoff", QStringLiteral("검색해제"), &frmCard::cmdSuchoff_Click);
    m_search_->setEnabled(false);
    m_searchOff->setEnabled(false);
    button("cmdlvWith", QStringLiteral("간격저장"), &frmCard::cmdlvWith_Click);
    row->addStretch();
    QPushButton* prev = addButton(row, bar, "cmdPrev", QStringLiteral("◀"), EnterKey::Ignored);
    m_count = named(new QLabel(bar), "lblCount");
    row->addWidget(m_count);
    QPushButton* next = addButton(row, bar, "cmdNext", QStringLiteral("▶"), EnterKey::Ignored);
    connect(prev, &QPushButton::clicked, this, [this] { nextPage(-1); });
    connect(next, &QPushButton::clicked, this, [this] { nextPage(1); });
    QPushButton* close = addButton(row, bar, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return bar;
}

bool frmCard::searching() const {
    return m_search.has_value();
}

CardFilter frmCard::filter() const {
    const QString tab = m_tabs->currentIndex() >= 0 ? m_tabs->tabText(m_tabs->currentIndex()) : kAllTab;
    return {tab, searching() && tab == kSearchTab ? m_search : std::nullopt};
}

void frmCard::reloadGroups() {
    QStringList groups;
    attemptStore(m_session, kind().resizeCaption, [&] { groups = m_book.groups(); });
    const QString current = m_tabs->currentIndex() >= 0 ? m_tabs->tabText(m_tabs->currentIndex()) : kAllTab;
    m_loadingTabs = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_tabs->addTab(kAllTab);
    for (const QString& g : groups)
        m_tabs->addTab(g);
    if (searching())
        m_tabs->addTab(kSearchTab);
    int chosen = 0;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->tabText(i) == current)
            chosen = i;
    m_tabs->setCurrentIndex(chosen);
    m_loadingTabs = false;
    const QString typed = m_group->currentText();
    m_group->clear();
    m_group->addItems(groups);
    m_group->setCurrentText(typed);
    m_offset = 0;
    reload();
}

void frmCard::tabChanged(int index) {
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

void frmCard::reload() {
    m_list->clear();
    const CardFilter shown = filter();
    QList<Card> cards;
    const auto done = attemptStore(m_session, kind().resizeCaption, [&] {
        m_total = m_book.count(shown);
        cards = m_book.list(shown, kPage, m_offset);
    });
    if (!done)
        return;
    for (const Card& card : cards) {
        auto* item = new QTreeWidgetItem(m_list, CardBook::cellsOf(card));
        item->setData(0, kNumberRole, card.number);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_widths->apply(LayoutFile(m_session.dataFolder(), kind().layout, m_session.state().LoginId));
    m_count->setText(QStringLiteral("%1-%2 / %3")
                         .arg(cards.isEmpty() ? 0 : m_offset + 1)
                         .arg(m_offset + int(cards.size()))
                         .arg(m_total));
    setStatus(kind().searchPrefix + QString::number(m_total) + QStringLiteral(" 명)"));
}

void frmCard::nextPage(int step) {
    const int offset = m_offset + step * kPage;
    if (offset < 0 || offset >= m_total)
        return;
    m_offset = offset;
    reload();
}

void frmCard::setStatus(const QString& text) {
    m_status = text;
    Q_EMIT statusChanged(text);
}

QString frmCard::statusText() const {
    return m_status;
}

void frmCard::selectRow(int row) {
    QTreeWidgetItem* item = row >= 0 ? m_list->topLevelItem(row) : nullptr;
    if (!item)
        return;
    std::optional<Card> card;
    attemptStore(m_session, kind().resizeCaption,
                 [&] { card = m_book.read(item->data(0, kNumberRole).toInt()); });
    if (card)
        showCard(*card);
}

void frmCard::showCard(const Card& card) {
    m_number = card.number;
    const Contact& c = card.contact;
    m_group->setCurrentText(c.groupin);
    m_company->setText(card.company);
    m_name->setText(c.name);
    m_email->setText(c.email);
    m_homtel->setText(c.homtel);
    m_hantel->setText(c.hantel);
    m_office->setText(c.office);
    m_fax->setText(c.fax);
    if (m_region)
        m_region->setValues({c.addr1, c.addr2, c.addr3});
    m_addr4->setText(c.addr4);
    m_work->clear();
    showNotes();
}

void frmCard::clearPanel() {
    for (QLineEdit* box : {m_company, m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4})
        box->clear();
    m_group->setCurrentText(QString());
    if (m_region)
        m_region->setValues({});
    m_work->clear();
    m_notes->clear();
}

Card frmCard::panelCard() const {
    Card card;
    card.number = m_number;
    card.company = m_company->text().trimmed();
    const RegionValues region = m_region ? m_region->values() : RegionValues();
    card.contact = {m_group->currentText().trimmed(),
                    m_name->text().trimmed(),
                    m_email->text().trimmed(),
                    m_homtel->text().trimmed(),
                    m_hantel->text().trimmed(),
                    m_office->text().trimmed(),
                    m_fax->text().trimmed(),
                    region.addr1,
                    region.addr2,
                    region.addr3,
                    m_addr4->text().trimmed()};
    return card;
}

void frmCard::showNotes() {
    attemptStore(m_session, kind().resizeCaption, [&] {
        fillNoteList(m_notes, WorkNoteBook(m_session).of(kind().noteKind, m_number),
                     m_session.state().LoginId);
    });
}

void frmCard::cmdNew_Click() {
    m_number = 0;
    clearPanel();
    m_name->setFocus();
}

void frmCard::cmdEdit_Click() {
    selectRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
}

bool frmCard::cmdSave_Click() {
    const Card card = panelCard();
    std::optional<PhoneHolder> same;
    attemptStore(m_session, kind().resizeCaption, [&] {
        same = findPhoneHolder(m_session, card.contact.hantel, QStringLiteral("namecard"), m_number);
    });
    if (same && !m_session.dialogs().askYesNo(samePhoneQuestion(*same), QStringLiteral("확인")))
        return false;
    PersonSaveResult saved;
    const auto done = attemptStore(m_session, kind().resizeCaption + QStringLiteral("cmdSave "),
                                   [&] { saved = m_book.save(card, m_work->toPlainText()); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    m_session.dialogs().inform(saved.text, saved.title);
    if (!saved.saved) {
        m_name->setFocus();
        return false;
    }
    m_number = saved.number;
    m_work->clear();
    reloadGroups();
    showNotes();
    return true;
}

bool frmCard::cmdDel_Click() {
    if (m_list->topLevelItemCount() == 0) {
        m_session.dialogs().inform(QStringLiteral("삭제할 데이타가 없습니다."), QStringLiteral("알림"));
        return false;
    }
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return false;
    const QString name = item->text(3);
    if (!m_session.dialogs().askYesNo(name + QStringLiteral(" 님을 삭제하시겠습니까 ?"),
                                      QStringLiteral("확인")))
        return false;
    const int number = item->data(0, kNumberRole).toInt();
    const auto done = attemptStore(m_session, kind().resizeCaption + QStringLiteral("cmdDel "),
                                   [&] { m_book.remove(number); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return false;
    }
    if (m_number == number)
        cmdNew_Click();
    reloadGroups();
    return true;
}

void frmCard::cmdSms_Click() {
    if (m_number <= 0)
        return;
    auto* sms = new frmSms(m_session, this);
    sms->setPerson(m_name->text(), phoneDigits(m_hantel->text()));
    showOpenedWindow(m_session.outlets(), sms);
}

void frmCard::cmdPrint_Click() {
    QList<QStringList> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        QStringList cells;
        for (int c = 0; c < m_list->columnCount(); ++c)
            cells << item->text(c);
        rows << cells;
    }
    if (rows.isEmpty()) {
        m_session.dialogs().inform(
            QStringLiteral("인쇄할 내용이 없습니다.\r\n\r\n인쇄할 목록에 '√'표시를 해주시기바랍니다."),
            QStringLiteral("인쇄하기"));
        return;
    }
    QList<PrintColumn> columns;
    const QStringList captions = CardBook::listCaptions();
    for (int c = 0; c < captions.size(); ++c)
        columns << PrintColumn{c, captions.at(c)};
    ReportPreview::hand(m_session, ListPrintPage::report(columns, rows, windowTitle()), this);
}

void frmCard::cmdSuchmode_Click() {
    m_search_->setEnabled(true);
    m_searchOff->setEnabled(true);
    m_searchMode->setEnabled(false);
    m_new->setEnabled(false);
    m_sms->setEnabled(false);
    m_number = 0;
    clearPanel();
}

void frmCard::cmdSuch_Click() {
    m_search = panelCard();
    reloadGroups();
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->tabText(i) == kSearchTab)
            m_tabs->setCurrentIndex(i);
}

void frmCard::cmdSuchoff_Click() {
    m_search.reset();
    m_search_->setEnabled(false);
    m_searchOff->setEnabled(false);
    m_searchMode->setEnabled(true);
    m_new->setEnabled(true);
    m_sms->setEnabled(true);
    reloadGroups();
}

void frmCard::cmdlvWith_Click() {
    m_widths->saveOrReset(m_session.dialogs(),
                          LayoutFile(m_session.dataFolder(), kind().layout, m_session.state().LoginId));
}

void frmCard::openNote(int note) {
    if (m_number <= 0)
        return;
    auto* window = new frmWork(
        m_session,
        {kind().noteKind, m_number, kind().windowName, kind().noteCaption, m_session.state().OfficeMainId},
        note, this);
    connect(window, &frmWork::notesChanged, this, &frmCard::showNotes);
    showOpenedWindow(m_session.outlets(), window);
}

} // namespace teran
