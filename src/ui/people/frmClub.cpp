#include "frmClub.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

QByteArray indexedName(const char* base, int i) {
    return QByteArray(base) + '(' + QByteArray::number(i) + ')';
}

} // namespace

frmClub::frmClub(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmClub"));
    setWindowTitle(QStringLiteral("테란 [클럽매물] - 실행중"));
    auto* column = new QVBoxLayout(this);
    auto* tools = named(new QToolBar(this), "Toolbar1");
    const auto tool = [&](const char* key, const QString& text, auto handler) {
        QAction* a = tools->addAction(text);
        a->setObjectName(QLatin1String(key));
        connect(a, &QAction::triggered, this, handler);
    };
    tool("my", QStringLiteral("내 클럽"), [this] { showTab(OwnTab); });
    tool("all", QStringLiteral("전체클럽"), [this] { showTab(AllTab); });
    tool("make", QStringLiteral("클럽만들기"), [this] { showPanel(PanelMode::New); });
    tool("paper", QStringLiteral("회장에게 쪽지"), [this] { m_title->setFocus(); });
    tool("clubmaemul", QStringLiteral("클럽매물보기"), [this] { clubmaemul_Click(); });
    m_choice = named(new QComboBox(tools), "cboClub");
    m_choice->setMinimumContentsLength(12);
    tools->addWidget(m_choice);
    connect(m_choice, &QComboBox::activated, this, &frmClub::cboClub_Click);
    column->addWidget(tools);

    // Search panel.
    auto* search = named(new QGroupBox(QStringLiteral("클럽검색"), this), "picClubSearch");
    auto* searchRow = new QHBoxLayout(search);
    m_word = named(new QLineEdit(search), "txtSearch");
    searchRow->addWidget(m_word, 1);
    const QString options[3] = {QStringLiteral("클럽명"), QStringLiteral("모임형태"),
                                QStringLiteral("소개말")};
    for (int i = 0; i < 3; ++i) {
        m_options[i] = named(new QCheckBox(options[i], search), indexedName("chkOpt", i).constData());
        searchRow->addWidget(m_options[i]);
    }
    m_options[0]->setChecked(true);
    auto* find = named(new QPushButton(QStringLiteral("검 색"), search), "cmdSearch");
    searchRow->addWidget(find);
    column->addWidget(search);

    m_tabs = named(new QTabBar(this), "tabClub");
    m_tabs->addTab(QStringLiteral("   내 클럽   "));
    m_tabs->addTab(ClubTexts::searchResultTab());
    m_tabs->addTab(QStringLiteral("   전체 클럽   "));
    column->addWidget(m_tabs);
    m_list = named(new QTreeWidget(this), "lvClub");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("상태"), QStringLiteral("tidx"), QStringLiteral("클럽명"),
                             QStringLiteral("모임형태")});
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    column->addWidget(m_list, 1);

    // The club panel: make, edit or show.
    m_panel = named(new QGroupBox(QStringLiteral("클럽정보"), this), "picClubMk");
    auto* grid = new QGridLayout(m_panel);
    m_name = named(new QLineEdit(m_panel), "txtclub");
    m_kind = named(new QLineEdit(m_panel), "txtkind");
    m_content = named(new QPlainTextEdit(m_panel), "txtcontent");
    m_content->setMaximumHeight(60);
    grid->addWidget(new QLabel(QStringLiteral("클럽명"), m_panel), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("모임형태"), m_panel), 1, 0);
    grid->addWidget(m_kind, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("소개말"), m_panel), 2, 0);
    grid->addWidget(m_content, 2, 1, 1, 3);
    auto* types = new QGridLayout;
    for (int i = 0; i < clubShareTypes().size(); ++i) {
        const ClubShareType& type = clubShareTypes().at(i);
        auto* box = named(new QCheckBox(type.caption, m_panel), indexedName("chkTB", i).constData());
        box->setProperty("tag", type.code);
        types->addWidget(box, i / 7, i % 7);
        m_types << box;
    }
    grid->addLayout(types, 3, 0, 1, 4);
    auto* presets = new QHBoxLayout;
    const auto preset = [&](const char* name, const QString& text, auto handler) {
        auto* b = named(new QPushButton(text, m_panel), name);
        connect(b, &QPushButton::clicked, this, handler);
        presets->addWidget(b);
        return b;
    };
    preset("cmdJu", QStringLiteral("주 거 용"), [this] { tick(residentialClubTypes()); });
    preset("cmdBju", QStringLiteral("비주거용"), [this] { tick(nonResidentialClubTypes()); });
    preset("cmdAll", QStringLiteral("전체선택"), [this] {
        QStringList all;
        for (const ClubShareType& t : clubShareTypes())
            all << t.code;
        tick(all);
    });
    preset("cmdClear", QStringLiteral("전체취소"), [this] { tick({}); });
    m_save = preset("cmdMkSave", QStringLiteral("만 들 기"), [this] { cmdMkSave_Click(); });
    grid->addLayout(presets, 4, 0, 1, 4);
    column->addWidget(m_panel);

    // Chairman's change, message to the chairman, members (for the chairman).
    auto* lower = new QHBoxLayout;
    auto* oner = named(new QGroupBox(QStringLiteral("회장변경"), this), "picOner");
    auto* onerRow = new QHBoxLayout(oner);
    m_newChairman = named(new QLineEdit(oner), "onerid");
    auto* change = named(new QPushButton(QStringLiteral("변 경"), oner), "cmdChange");
    onerRow->addWidget(m_newChairman);
    onerRow->addWidget(change);
    lower->addWidget(oner);
    auto* paper = named(new QGroupBox(QStringLiteral("회장에게 쪽지"), this), "picPaper");
    auto* paperColumn = new QVBoxLayout(paper);
    m_title = named(new QLineEdit(paper), "pTitle");
    m_body = named(new QPlainTextEdit(paper), "pContent");
    m_body->setMaximumHeight(60);
    auto* send = named(new QPushButton(QStringLiteral("보내기"), paper), "cmdSend");
    paperColumn->addWidget(m_title);
    paperColumn->addWidget(m_body);
    paperColumn->addWidget(send);
    lower->addWidget(paper, 1);
    auto* people = named(new QGroupBox(QStringLiteral("클럽회원"), this), "picMember");
    auto* peopleColumn = new QVBoxLayout(people);
    m_members = named(new QTreeWidget(people), "lvMember");
    m_members->setRootIsDecorated(false);
    m_members->setHeaderLabels({QStringLiteral("아이디"), QStringLiteral("사무소"), QStringLiteral("상태")});
    m_members->setMaximumHeight(110);
    peopleColumn->addWidget(m_members);
    auto* memberButtons = new QHBoxLayout;
    for (const auto& [name, text, level] :
         {std::tuple{"cmdRaise", QStringLiteral("정회원으로"), ClubLevel::Full},
          std::tuple{"cmdLower", QStringLiteral("준회원으로"), ClubLevel::Associate}}) {
        auto* b = named(new QPushButton(text, people), name);
        connect(b, &QPushButton::clicked, this, [this, level = level] { setMemberLevel(level); });
        memberButtons->addWidget(b);
        m_memberButtons << b;
    }
    auto* out = named(new QPushButton(QStringLiteral("내보내기"), people), "cmdRemove");
    connect(out, &QPushButton::clicked, this, &frmClub::removeMember);
    memberButtons->addWidget(out);
    m_memberButtons << out;
    peopleColumn->addLayout(memberButtons);
    lower->addWidget(people, 1);
    column->addLayout(lower);
    m_status = named(new QLabel(this), "lblStatus");
    column->addWidget(m_status);

    // The club menu of the frame window, as a pop-up over the list.
    m_popup = new QMenu(this);
    const auto entry = [&](const char* name, const QString& text, auto handler) {
        QAction* a = m_popup->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
    };
    entry("clubinout", QStringLiteral("클럽 가입하기"), [this] { clubinout_Click(); });
    entry("clubinfo", QStringLiteral("클럽정보"), [this] { showPanel(PanelMode::View); });
    entry("clubmem", QStringLiteral("회원목록"), [this] { clubmem_Click(); });
    entry("clubedit", QStringLiteral("클럽수정"), [this] { showPanel(PanelMode::Edit); });
    entry("clubdel", QStringLiteral("클럽삭제"), [this] { clubdel_Click(); });

    connect(m_tabs, &QTabBar::tabBarClicked, this, &frmClub::showTab);
    connect(find, &QPushButton::clicked, this, &frmClub::cmdSearch_Click);
    connect(change, &QPushButton::clicked, this, &frmClub::cmdChange_Click);
    connect(send, &QPushButton::clicked, this, &frmClub::cmdSend_Click);
    // A click or the arrow keys choose a club.
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { select(item ? m_list->indexOfTopLevelItem(item) : -1); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        select(m_list->indexOfTopLevelItem(item));
        if (ClubLevel::readsListings(m_current.level))
            openListings(m_current.clubIdx, m_current.name, m_current.level);
        else
            showPanel(PanelMode::View);
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* item = m_list->itemAt(at);
        if (!item)
            return;
        select(m_list->indexOfTopLevelItem(item));
        m_popup->popup(m_list->viewport()->mapToGlobal(at));
    });
    resize(900, 820);
    showPanel(PanelMode::New);
    showTab(OwnTab);
}

template <typename Work> bool frmClub::attempt(const QString& label, Work&& work) {
    auto done = attemptStore(m_session, label, std::forward<Work>(work));
    if (!done)
        showStoreFailure(m_session, *done.failure(), StoreKind::Server);
    return bool(done);
}

void frmClub::showTab(int tab) {
    m_tabs->setCurrentIndex(tab);
    if (tab == SearchTab) {
        cmdSearch_Click();
        return;
    }
    QList<ClubRow> rows;
    if (!attempt(QStringLiteral("frmClub ClubList => "),
                 [&] { rows = tab == OwnTab ? Clubs(m_session).own() : Clubs(m_session).all(); }))
        return;
    fill(rows);
    if (tab == OwnTab)
        fillChoice(rows);
}

// cboClub: "클럽선택", then the clubs whose listings the user reads (full member or chairman).
void frmClub::fillChoice(const QList<ClubRow>& own) {
    const int chosen = m_choice->currentData().toInt();
    m_choice->clear();
    m_choice->addItem(ClubTexts::chooseClub(), 0);
    for (const ClubRow& r : own)
        if (ClubLevel::readsListings(r.level))
            m_choice->addItem(r.name, r.clubIdx);
    m_choice->setCurrentIndex(std::max(0, m_choice->findData(chosen)));
}

void frmClub::cmdSearch_Click() {
    ClubSearch search{m_word->text(), m_options[0]->isChecked(), m_options[1]->isChecked(),
                      m_options[2]->isChecked()};
    QString refusal;
    QList<ClubRow> rows;
    if (!attempt(QStringLiteral("frmClub cmdSearch_Click => "),
                 [&] { rows = Clubs(m_session).search(search, &refusal); }))
        return;
    if (!refusal.isEmpty()) {
        m_session.dialogs().message(refusal, ClubTexts::title(), DialogIcon::Warning, DialogButtons::Ok);
        return;
    }
    m_tabs->setCurrentIndex(SearchTab);
    fill(rows);
}

void frmClub::fill(const QList<ClubRow>& rows) {
    m_rows = rows;
    m_list->clear();
    for (const ClubRow& r : rows)
        new QTreeWidgetItem(m_list, {QString::number(r.level), QString::number(r.clubIdx), r.name, r.kind});
    m_current = ClubRow{};
    fillMembers();
    m_status->setText(QStringLiteral("클럽 %1 개").arg(rows.size()));
}

void frmClub::select(int row) {
    m_current = row >= 0 && row < m_rows.size() ? m_rows.at(row) : ClubRow{};
    {
        const QSignalBlocker quiet(m_list); // the row is chosen here already
        m_list->setCurrentItem(m_list->topLevelItem(row));
    }
    fitPopup();
    fillMembers();
}

// The members show as soon as a club is chosen, so that a chairman sees whom to raise; only the
// chairman's buttons change them.
void frmClub::fillMembers() {
    for (QPushButton* b : std::as_const(m_memberButtons))
        b->setEnabled(ClubLevel::runsClub(m_current.level));
    if (ClubLevel::isMember(m_current.level))
        clubmem_Click();
    else
        m_members->clear();
}

void frmClub::openEntry(const QString& entry) {
    if (entry == QLatin1String("clubmaemul")) {
        clubmaemul_Click();
        return;
    }
    // 클럽만들기/수정: the chosen club of its chairman, else a new one.
    if (entry == QLatin1String("clubedit")) {
        showPanel(ClubLevel::runsClub(m_current.level) ? PanelMode::Edit : PanelMode::New);
        m_name->setFocus();
        return;
    }
    if (m_current.clubIdx == 0) {
        // No club chosen: one to join is found among all clubs, one to delete is chosen by hand,
        // the rest open on the first of the user's own clubs.
        const bool joining = entry == QLatin1String("clubinout");
        if (joining || entry == QLatin1String("clubdel") || !chooseFirstOwnClub()) {
            showTab(joining ? AllTab : OwnTab);
            m_list->setFocus();
            return;
        }
    }
    if (entry == QLatin1String("clubinout")) {
        clubinout_Click();
    } else if (entry == QLatin1String("clubdel")) {
        clubdel_Click();
    } else if (entry == QLatin1String("clubinfo")) {
        showPanel(PanelMode::View);
        m_name->setFocus();
    } else if (entry == QLatin1String("clubmem")) {
        m_members->setFocus();
    } else if (entry == QLatin1String("cluboner")) { // the chairman's part: the change and the members
        m_newChairman->setFocus();
    } else if (entry == QLatin1String("clubpaper")) {
        m_title->setFocus();
    }
}

bool frmClub::chooseFirstOwnClub() {
    if (m_tabs->currentIndex() != OwnTab)
        showTab(OwnTab);
    if (m_rows.isEmpty())
        return false;
    select(0);
    return true;
}

void frmClub::fitPopup() {
    const auto action = [this](const char* name) {
        return m_popup->findChild<QAction*>(QLatin1String(name));
    };
    const bool own = m_tabs->currentIndex() == OwnTab;
    QAction* inout = action("clubinout");
    inout->setText(own ? QStringLiteral("클럽 탈퇴하기") : QStringLiteral("클럽 가입하기"));
    inout->setData(own ? QStringLiteral("out") : QStringLiteral("in"));
    inout->setEnabled(own || m_current.level == ClubLevel::None);
    action("clubmem")->setEnabled(ClubLevel::isMember(m_current.level));
    action("clubedit")->setVisible(ClubLevel::runsClub(m_current.level));
    action("clubdel")->setVisible(ClubLevel::runsClub(m_current.level));
}

QStringList frmClub::tickedTypes() const {
    QStringList codes;
    for (const QCheckBox* box : m_types)
        if (box->isChecked())
            codes << box->property("tag").toString();
    return codes;
}

void frmClub::tick(const QStringList& codes) {
    for (QCheckBox* box : std::as_const(m_types))
        box->setChecked(codes.contains(box->property("tag").toString()));
}

void frmClub::showPanel(PanelMode mode) {
    m_mode = mode;
    const bool view = mode == PanelMode::View;
    m_name->setReadOnly(view);
    m_kind->setReadOnly(view);
    m_content->setReadOnly(view);
    for (QCheckBox* box : std::as_const(m_types))
        box->setEnabled(!view);
    for (QPushButton* b : m_panel->findChildren<QPushButton*>())
        b->setEnabled(!view);
    m_save->setText(mode == PanelMode::New ? QStringLiteral("만 들 기") : QStringLiteral("수정하기"));
    if (mode == PanelMode::New) {
        m_name->clear();
        m_kind->clear();
        m_content->clear();
        tick({});
        return;
    }
    std::optional<ClubDetails> club;
    if (!attempt(QStringLiteral("frmClub ShowClub => "),
                 [&] { club = Clubs(m_session).details(m_current.clubIdx); }) ||
        !club)
        return;
    m_name->setText(club->name);
    m_kind->setText(club->kind);
    m_content->setPlainText(club->content);
    tick(club->types);
}

void frmClub::cmdMkSave_Click() {
    ClubDetails club{m_mode == PanelMode::New ? 0 : m_current.clubIdx,
                     {},
                     m_name->text(),
                     m_kind->text(),
                     tickedTypes(),
                     m_content->toPlainText()};
    ClubOutcome outcome;
    if (!attempt(QStringLiteral("클럽저장하기클릭 => "), [&] { outcome = Clubs(m_session).save(club); }))
        return;
    tell(outcome);
    if (outcome.done)
        showTab(OwnTab);
}

void frmClub::clubdel_Click() {
    if (m_current.clubIdx == 0 || !ask(ClubTexts::askDelete()))
        return;
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub clubdel => "),
                [&] { outcome = Clubs(m_session).remove(m_current.clubIdx); }))
        tell(outcome);
    if (outcome.done)
        showTab(OwnTab);
}

void frmClub::clubinout_Click() {
    if (m_current.clubIdx == 0)
        return;
    const bool joining = m_tabs->currentIndex() != OwnTab;
    if (!ask(joining ? ClubTexts::askJoin(m_current.name) : ClubTexts::askLeave()))
        return;
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub clubinout => "), [&] {
            outcome = joining ? Clubs(m_session).join(m_current.clubIdx)
                              : Clubs(m_session).leave(m_current.clubIdx);
        }))
        tell(outcome);
    if (outcome.done)
        showTab(OwnTab);
}

void frmClub::cmdChange_Click() {
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub cmdChange => "),
                [&] { outcome = Clubs(m_session).changeChair(m_current.clubIdx, m_newChairman->text()); }))
        tell(outcome);
    if (outcome.done)
        showTab(OwnTab);
}

void frmClub::cmdSend_Click() {
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub cmdSend => "), [&] {
            outcome =
                Clubs(m_session).sendToChairman(m_current.clubIdx, m_title->text(), m_body->toPlainText());
        }))
        tell(outcome);
    if (outcome.done) {
        m_title->clear();
        m_body->clear();
    }
}

void frmClub::clubmem_Click() {
    QList<ClubMember> members;
    if (!attempt(QStringLiteral("frmClub clubmem => "),
                 [&] { members = Clubs(m_session).members(m_current.clubIdx); }))
        return;
    m_members->clear();
    for (const ClubMember& m : members) {
        new QTreeWidgetItem(m_members, {m.id, m.office, ClubLevel::caption(m.level)});
    }
}

void frmClub::setMemberLevel(int level) {
    const QTreeWidgetItem* item = m_members->currentItem();
    if (!item)
        return;
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub setLevel => "),
                [&] { outcome = Clubs(m_session).setLevel(m_current.clubIdx, item->text(0), level); }))
        tell(outcome);
    clubmem_Click();
}

void frmClub::removeMember() {
    const QTreeWidgetItem* item = m_members->currentItem();
    if (!item)
        return;
    ClubOutcome outcome;
    if (attempt(QStringLiteral("frmClub removeMember => "),
                [&] { outcome = Clubs(m_session).removeMember(m_current.clubIdx, item->text(0)); }))
        tell(outcome);
    clubmem_Click();
}

void frmClub::clubmaemul_Click() {
    if (m_current.clubIdx != 0) { // the club clicked in the list
        openListings(m_current.clubIdx, m_current.name, m_current.level);
        return;
    }
    cboClub_Click(m_choice->currentIndex());
}

void frmClub::cboClub_Click(int index) {
    if (index > 0) {
        openListings(m_choice->itemData(index).toInt(), m_choice->itemText(index), 2);
        return;
    }
    if (m_choice->count() < 2) {
        m_session.dialogs().message(ClubTexts::noClubs(), ClubTexts::title(), DialogIcon::Warning,
                                    DialogButtons::Ok);
        return;
    }
    Q_EMIT listingsRequested(0);
}

void frmClub::openListings(int club, const QString& name, int level) {
    if (level < 2) {
        m_session.dialogs().message(ClubTexts::noReadRight(name), ClubTexts::title(), DialogIcon::Warning,
                                    DialogButtons::Ok);
        return;
    }
    Q_EMIT listingsRequested(club);
}

void frmClub::tell(const ClubOutcome& outcome) {
    m_session.dialogs().message(outcome.message, ClubTexts::title(),
                                outcome.done ? DialogIcon::Information : DialogIcon::Critical,
                                DialogButtons::Ok);
}

bool frmClub::ask(const QString& text) {
    return m_session.dialogs().message(text, ClubTexts::title(), DialogIcon::Question,
                                       DialogButtons::YesNo) == DialogAnswer::Yes;
}

QString frmClub::statusText() const {
    return m_status->text();
}

} // namespace teran
