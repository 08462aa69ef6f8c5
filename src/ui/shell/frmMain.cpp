#include "frmMain.h"
#include "core/maintenance/BackupActions.h"
#include "ui/game/GameTetris.h"
#include "ui/maintenance/frmBackup.h"
#include "ui/maintenance/frmSeting.h"
#include "ui/maintenance/frmSetingColor.h"
#include "ui/maintenance/frmSetingFont.h"
#include "ui/maintenance/frmSheetImport.h"
#include "ui/widgets/ProgressWindow.h"

#include "core/session/InternetNotice.h"
#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"

#include "ui/session/ComingLater.h"

#include "core/listings/ActionTexts.h"
#include "core/listings/ListingSheetPrint.h"

#include "MainMenus.h"
#include "MainStatusBar.h"
#include "StartPanelArea.h"
#include "core/people/Inquiry.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/contracts/frmGaeyak.h"
#include "ui/listings/ListWindowHost.h"
#include "ui/listings/ListingActionRunner.h"
#include "ui/listings/RowPreview.h"
#include "ui/listings/SearchPanel.h"
#include "ui/listings/frmClubList.h"
#include "ui/online/frmUpgrade.h"
#include "ui/people/frmCard.h"
#include "ui/people/frmClub.h"
#include "ui/people/frmDaily.h"
#include "ui/people/frmFamily.h"
#include "ui/people/frmMaesu.h"
#include "ui/people/frmMatch.h"
#include "ui/people/frmPaper.h"
#include "ui/people/frmPaperin.h"
#include "ui/people/frmSms.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>
#include <stdexcept>

namespace teran {

namespace {

const char* const kLogLabel = "frmMain => ";

QString kindActionName(ListKind kind) {
    switch (kind) {
    case ListKind::Club:
        return QStringLiteral("listKindClub");
    case ListKind::Shared:
        return QStringLiteral("listKindShared");
    case ListKind::Own:
    case ListKind::Group:
        break;
    }
    return QStringLiteral("listKindOwn");
}

} // namespace

frmMain::frmMain(Session& session, ListWindowFactory factory, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_area(new StartPanelArea(this))
    , m_status(new MainStatusBar(session, this))
    , m_menus(new MainMenus(menuBar(), this))
    , m_windows(new ListWindowHost(session, m_area, std::move(factory), this))
    , m_actions(new ListingActionRunner(
          session, [this] { return m_windows->active(); },
          [this](const QString& text) { text.isEmpty() ? m_status->clearText() : m_status->showText(text); },
          this)) {
    setObjectName(QStringLiteral("frmMain"));
    m_area->setObjectName(QStringLiteral("MDIForm"));
    setCentralWidget(m_area);
    setStatusBar(m_status);
    buildToolBar();
    buildSearchDock();
    connectMenus();
    connectActions();
    connect(m_windows, &ListWindowHost::statusText, m_status, &MainStatusBar::showText);
    connect(m_windows, &ListWindowHost::rowChosen, m_preview, &RowPreview::showRow);
    connect(m_windows, &ListWindowHost::menuRequested, this, &frmMain::showListingMenu);
    connect(m_windows, &ListWindowHost::editRequested, this, [this](int number) {
        openRegistration({EditMode::Edit, number});
    });
    Load();
    restoreLastGeometry();
}

frmMain::~frmMain() = default;

QString frmMain::windowTitleText() {
    return QStringLiteral("부동산전문 관리프로그램[TERAN] - 실행중");
}

QString frmMain::searchCaption(ListKind kind) {
    switch (kind) {
    case ListKind::Club:
        return QStringLiteral("클럽매물검색");
    case ListKind::Shared:
        return QStringLiteral("공유매물(인터넷매물)검색");
    case ListKind::Own:
    case ListKind::Group:
        break;
    }
    return QStringLiteral("내매물검색");
}

QString frmMain::connectionText() const {
    return m_status->connectionText();
}

QMdiArea* frmMain::mdiArea() const {
    return m_area;
}

bool frmMain::ClickEnabled() const {
    return m_actions->ClickEnabled();
}

void frmMain::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("도구모음"));
    bar->setObjectName(QStringLiteral("img_over"));
    bar->setMovable(false);
    QAction* insert = bar->addAction(QStringLiteral("매물등록"));
    insert->setObjectName(QStringLiteral("img_over_insert"));
    connect(insert, &QAction::triggered, this, [this] { openRegistration({EditMode::New, 0}); });
    QAction* daily = bar->addAction(QStringLiteral("일정관리"));
    daily->setObjectName(QStringLiteral("img_over_daily"));
    connect(daily, &QAction::triggered, this, &frmMain::openSchedule);
    QAction* contracts = bar->addAction(QStringLiteral("계약관리"));
    contracts->setObjectName(QStringLiteral("img_over_gaeyak"));
    connect(contracts, &QAction::triggered, this, &frmMain::openContractRegister);
    QAction* paper = bar->addAction(QStringLiteral("문의함"));
    paper->setObjectName(QStringLiteral("img_over_paper"));
    connect(paper, &QAction::triggered, this, &frmMain::openInquiryBox);
    QAction* all = bar->addAction(QStringLiteral("전체매물"));
    all->setObjectName(QStringLiteral("img_over_all"));
    connect(all, &QAction::triggered, this, [this] {
        setActiveKind(ListKind::Own);
        OpenListWindow(QStringLiteral("all"), QStringLiteral("전체매물"), QStringLiteral("all"));
    });
    bar->addSeparator();
    m_kinds = new QActionGroup(this);
    m_kinds->setExclusive(true);
    const std::pair<ListKind, QString> kinds[] = {{ListKind::Own, QStringLiteral("내매물")},
                                                  {ListKind::Club, QStringLiteral("클럽매물")},
                                                  {ListKind::Shared, QStringLiteral("공유매물")}};
    for (const auto& [kind, text] : kinds) {
        QAction* button = bar->addAction(text);
        button->setObjectName(kindActionName(kind));
        button->setCheckable(true);
        button->setData(int(kind));
        m_kinds->addAction(button);
    }
    connect(m_kinds, &QActionGroup::triggered, this,
            [this] { m_searchDock->setWindowTitle(searchCaption(activeKind())); });
    m_kinds->actions().constFirst()->setChecked(true);
}

void frmMain::buildSearchDock() {
    m_searchDock = new QDockWidget(searchCaption(ListKind::Own), this);
    m_searchDock->setObjectName(QStringLiteral("searchDock"));
    m_searchDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* holder = new QWidget(m_searchDock);
    auto* column = new QVBoxLayout(holder);
    m_search = new SearchPanel(m_session, holder);
    m_preview = new RowPreview(holder);
    column->addWidget(m_search);
    column->addWidget(m_preview);
    column->addStretch(1);
    auto* scroll = new QScrollArea(m_searchDock);
    scroll->setWidgetResizable(true);
    scroll->setWidget(holder);
    m_searchDock->setWidget(scroll);
    addDockWidget(Qt::LeftDockWidgetArea, m_searchDock);
    connect(m_search, &SearchPanel::searchRequested, this, &frmMain::cmdSearch_Click);
}

ListKind frmMain::activeKind() const {
    const QAction* checked = m_kinds->checkedAction();
    return checked ? ListKind(checked->data().toInt()) : ListKind::Own;
}

void frmMain::setActiveKind(ListKind kind) {
    for (QAction* button : m_kinds->actions())
        if (ListKind(button->data().toInt()) == kind)
            button->setChecked(true);
    m_searchDock->setWindowTitle(searchCaption(activeKind()));
}

void frmMain::connectMenus() {
    connect(m_menus, &MainMenus::typeChosen, this, &frmMain::OpenListWindow);
    connect(m_menus, &MainMenus::startPanelChosen, this, &frmMain::chooseStartPanel);
    connect(m_menus, &MainMenus::webPageChosen, this, &frmMain::openWebPage);
    const auto on = [this](const char* name, auto handler) {
        connect(m_menus->action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("exit", [this] { askExit(); });
    on("downPost", [this] { runReferenceCheck(m_session, ReferenceJob::Post, this); });
    on("downSubway", [this] { runReferenceCheck(m_session, ReferenceJob::Subway, this); });
    on("dogubackupTxtOutSvr", [this] {
        frmBackup window(m_session, this);
        window.exec();
    });
    on("dogubackupTxtInSvr", [this] { importListings(); });
    on("dogubackupSvr", [this] { runBackup(false); });
    on("dogurestoreSvr", [this] { runBackup(true); });
    on("dogusetting", [this] {
        frmSeting window(m_session, this);
        window.exec();
    });
    on("tetris", [this] { openGame(); });
    on("colorSetting", [this] {
        frmSetingColor window(m_session, this);
        window.exec();
    });
    on("fontSetting", [this] {
        frmSetingFont window(m_session, this);
        window.exec();
    });
    const std::pair<const char*, BackupAction> allow[] = {{"dogubackupAc", BackupAction::Backup},
                                                          {"dogubackupTxtInAc", BackupAction::TextImport},
                                                          {"dogubackupTxtOutAc", BackupAction::TextExport}};
    for (const auto& [name, which] : allow) {
        QAction* entry = m_menus->action(QLatin1String(name));
        connect(entry, &QAction::triggered, this, [this, entry, which = which](bool checked) {
            bool allowed = !checked;
            attemptStore(m_session, QLatin1String(kLogLabel),
                         [&] { allowed = BackupActions(m_session).allowStaff(which, checked); });
            entry->setChecked(allowed);
        });
    }
}

// 블록쌓기 게임: one game window at a time; its keys and scores are the user's own.
void frmMain::openGame() {
    openOnce(m_game, [this] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        auto* game = new GameTetris(QDir(folder).filePath(QStringLiteral("game")), this);
        game->setWindowFlag(Qt::Window);
        return game;
    });
}

// 데이터 백업 and 데이터 복구 with their progress and 취소. The window comes with the first step
// of the copy, after the questions, and goes before the closing message.
void frmMain::runBackup(bool restoring) {
    std::optional<ProgressWindow> progress;
    const BackupProgress shown = [&](const QString& step, qint64 done, qint64 total) {
        if (step.isEmpty()) {
            if (progress)
                progress->finish();
            return true;
        }
        if (!progress)
            progress.emplace(this, restoring ? BackupActions::restoreTitle() : BackupActions::backupTitle(),
                             QString());
        return progress->step(step, done, total);
    };
    BackupActions backups(m_session);
    if (restoring)
        backups.restore(shown);
    else
        backups.fullBackup(shown);
}

// 텍스트 가져오기: the text transfer file at once; a CSV file after its preview and mapping.
void frmMain::importListings() {
    BackupActions backups(m_session);
    const QString path = backups.chooseImportFile();
    if (path.isEmpty())
        return;
    if (!BackupActions::isSheetFile(path)) {
        ProgressWindow progress(this, QStringLiteral("데이터 가져오기"), QString());
        backups.importFile(path, {}, [&](qint64 done) { return progress.step(done, 0); });
        return;
    }
    if (const auto preview = backups.previewSheet(path)) {
        frmSheetImport window(m_session, path, *preview, this);
        window.exec();
    }
}

void frmMain::connectActions() {
    const auto on = [this](const char* name, auto handler) {
        connect(m_menus->action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("internetin", [this] { m_actions->publish(PublicationState::Internet); });
    on("clubmaelunin", [this] { m_actions->publish(PublicationState::Clubs); });
    on("clubiein", [this] { m_actions->publish(PublicationState::ClubsAndInternet); });
    on("internetdel", [this] { m_actions->unpublish(UnpublishScope::Internet); });
    on("clubmaelundel", [this] { m_actions->unpublish(UnpublishScope::Clubs); });
    on("clubiedel", [this] { m_actions->unpublish(UnpublishScope::Both); });
    on("nowdate", [this] { m_actions->refreshSelected(); });
    on("dogutimeup", [this] { m_actions->refreshAll(); });
    on("reconcileShared", [this] { m_actions->reconcile(); });
    on("bogan_0", [this] { m_actions->restore(); });
    on("bogan_1", [this] { m_actions->archive(); });
    on("mdel", [this] { m_actions->remove(); });
    on("medit", [this] { editCurrentListing(); });
    on("bogom", [this] { printCurrentSheet(false); });
    on("bogo", [this] { printCurrentSheet(true); });
    on("smsgo", [this] { collectSms(true); });
    on("smsgo2", [this] { collectSms(false); });
    on("question", [this] { askAboutCurrentListing(); });
    on("fitbuyers", [this] { openFittingBuyers(); });
    on("daily", [this] { openSchedule(); });
    on("paper", [this] { openInquiryBox(); });
    on("family", [this] { openStaff(); });
    for (const char* name :
         {"clubinfo", "clubedit", "clubdel", "clubinout", "clubmem", "clubpaper", "clubmaemul", "cluboner"})
        on(name, [this, name] {
            if (frmClub* clubs = openClubs())
                clubs->openEntry(QLatin1String(name));
        });
    on("maesu", [this] { openBuyers(); });
    on("namecard", [this] { openCards(CardPart::Namecard); });
    on("customer", [this] { openCards(CardPart::Customer); });
    connect(m_menus->listingMenu(), &QMenu::aboutToShow, this, &frmMain::fitArchiveEntries);
}

void frmMain::showListingMenu(const QPoint& globalPos) {
    m_menus->listingMenu()->popup(globalPos);
}

void frmMain::fitArchiveEntries() {
    // The own list offers the way out of the tab it shows: back to the listing box from the
    // archive tab, into the archive from the others.
    const ListWindow* window = m_windows->active();
    const bool own = window && !isServerList(window->kind());
    const bool archive = own && window->archiveView();
    m_menus->action(QStringLiteral("bogan_0"))->setEnabled(!own || archive);
    m_menus->action(QStringLiteral("bogan_1"))->setEnabled(!own || !archive);
}

void frmMain::Load() {
    setWindowTitle(windowTitleText());
    applyBackupPermissions();
    showStartPanel();
    m_session.ensureOpen();
    m_search->loadRegions();
    m_menus->enableWebPages(!m_session.config().webBaseUrl.isEmpty());
    m_status->refreshCash();
}

void frmMain::applyBackupPermissions() {
    BackupPermissions permissions;
    std::optional<BackupPermissions> staff;
    attemptStore(m_session, QLatin1String(kLogLabel), [&] {
        if (!m_session.listingOpen())
            return;
        BackupActions backups(m_session);
        permissions = backups.permissions();
        if (backups.isMainAccount())
            staff = SettingsStore::ofOffice(m_session).backupPermissions();
    });
    m_menus->applyBackupPermissions(permissions, staff);
}

void frmMain::showStartPanel() {
    StartPanel panel = StartPanel::Logo;
    attemptStore(m_session, QLatin1String(kLogLabel), [&] {
        if (m_session.listingOpen())
            panel = SettingsStore::ofUser(m_session).startPanel();
    });
    m_area->setPanel(panel);
    m_menus->tickStartPanel(panel);
}

void frmMain::chooseStartPanel(StartPanel panel) {
    m_area->setPanel(panel);
    m_menus->tickStartPanel(panel);
    try {
        attemptStore(m_session, QLatin1String(kLogLabel),
                     [&] { SettingsStore::ofUser(m_session).setStartPanel(panel); });
    } catch (const std::logic_error& error) {
        m_session.WriteLog(QLatin1String(kLogLabel) + QString::fromUtf8(error.what()));
    }
}

void frmMain::OpenListWindow(const QString& tb, const QString& label, const QString& ty) {
    const ListKind kind = activeKind();
    m_searchDock->setWindowTitle(searchCaption(kind));
    ListWindow* window = m_windows->open(kind);
    if (!window) {
        tellLater();
        return;
    }
    if (kind != ListKind::Own)
        presetRegion(tb);
    m_search->setCurrentType(tb, label, ty);
    runSearch(window);
}

void frmMain::presetRegion(const QString& tb) {
    attemptStore(m_session, QLatin1String(kLogLabel),
                 [&] { m_search->presetRegion(SettingsStore::ofOffice(m_session).listRegion(tb)); });
}

void frmMain::cmdSearch_Click() {
    ListWindow* window = m_windows->active();
    if (!window) {
        // Nothing open yet: the search opens the list of the chosen kind on the current type.
        OpenListWindow(m_search->currentType(), m_search->currentLabel(), m_search->currentTransaction());
        return;
    }
    runSearch(window);
}

void frmMain::runSearch(ListWindow* window) {
    if (const std::optional<ListFilter> filter = m_search->readOrTell())
        window->search(*filter);
}

// The contract register, one at a time.
frmGaeyak* frmMain::openContractRegister() {
    return openOnce(m_contracts, [this] { return new frmGaeyak(m_session, {}, this); });
}

frmDaily* frmMain::openSchedule() {
    return openOnce(m_schedule, [this] { return new frmDaily(m_session, this); });
}

frmCard* frmMain::openCards(CardPart part) {
    return openOnce(m_cards[part == CardPart::Namecard ? 0 : 1], [this, part] {
        auto* window = new frmCard(m_session, part, this);
        connect(window, &frmCard::statusChanged, this,
                [this](const QString& text) { m_status->showText(text); });
        window->reload();
        return window;
    });
}

frmMaesu* frmMain::openBuyers() {
    return openOnce(m_buyers, [this] {
        auto* window = new frmMaesu(m_session, this);
        connect(window, &frmMaesu::statusChanged, this,
                [this](const QString& text) { m_status->showText(text); });
        return window;
    });
}

frmClub* frmMain::openClubs() {
    if (!InternetNotice::answersOrTell(m_session, m_session.reachServer()))
        return nullptr;
    if (!m_clubs) {
        m_clubs = new frmClub(m_session, this);
        m_clubs->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_clubs, &frmClub::listingsRequested, this, [this](int club) {
            setActiveKind(ListKind::Club);
            if (auto* list = qobject_cast<frmClubList*>(m_windows->open(ListKind::Club)))
                list->setClub(club);
            OpenListWindow(QStringLiteral("all"), QStringLiteral("클럽매물"), QStringLiteral("all"));
        });
    }
    showOpenedWindow(m_session.outlets(), m_clubs);
    return m_clubs;
}

frmFamily* frmMain::openStaff() {
    if (!InternetNotice::answersOrTell(m_session, m_session.reachServer()))
        return nullptr;
    if (!m_staff) {
        m_staff = new frmFamily(m_session, this);
        m_staff->setAttribute(Qt::WA_DeleteOnClose);
    }
    showOpenedWindow(m_session.outlets(), m_staff);
    return m_staff;
}

frmPaper* frmMain::openInquiryBox() {
    // A box already open is read again: messages may have come since.
    if (m_inquiries)
        m_inquiries->reload();
    return openOnce(m_inquiries, [this] {
        auto* window = new frmPaper(m_session, this);
        connect(window, &frmPaper::listingRequested, this, [this](int listing) {
            openRegistration({EditMode::Edit, listing});
        });
        return window;
    });
}

// 문의하기: a message to the office of the shared or club listing under the cursor.
void frmMain::askAboutCurrentListing() {
    const ListWindow* window = m_windows->active();
    const int row = window && isServerList(window->kind()) ? window->currentServerRow() : 0;
    if (row <= 0) {
        m_session.dialogs().inform(ActionTexts::noSelection(), ActionTexts::titleCheck());
        return;
    }
    if (!InternetNotice::answersOrTell(m_session, m_session.serverReachable()))
        return;
    std::optional<InquiryDraft> draft;
    const auto done = attemptStore(m_session, QStringLiteral("문의하기 => "),
                                   [&] { draft = InquiryPost(m_session).aboutSharedListing(row); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Server);
        return;
    }
    if (!draft) {
        m_session.dialogs().inform(ActionTexts::noSelection(), ActionTexts::titleCheck());
        return;
    }
    showOpenedWindow(m_session.outlets(), new frmPaperin(m_session, *draft, this));
}

// One registration window at a time: a new request closes the one that is open.
frmInsert* frmMain::openRegistration(RegistrationRequest request) {
    if (m_registration)
        m_registration->close();
    m_registration = new frmInsert(m_session, request, this);
    connect(m_registration, &frmInsert::listingsChanged, this, [this] {
        for (ListKind kind : {ListKind::Own, ListKind::Group})
            if (ListWindow* list = m_windows->window(kind))
                list->refresh();
    });
    m_registration->show();
    return m_registration;
}

// 수정: the listing under the cursor of an own list; the club list has no listing of the office.
// 맞는 매수인 of the current row: an own listing, or a shared one while the server answers.
void frmMain::openFittingBuyers() {
    const ListWindow* window = m_windows->active();
    const bool shared = window && isServerList(window->kind());
    const int number = !window ? 0 : shared ? window->currentServerRow() : window->currentNumber();
    if (number <= 0) {
        m_session.dialogs().inform(ActionTexts::noSelection(), ActionTexts::titleCheck());
        return;
    }
    if (shared && !InternetNotice::answersOrTell(m_session, m_session.serverReachable()))
        return;
    showOpenedWindow(m_session.outlets(), new frmMatch(m_session, number, shared, this));
}

void frmMain::editCurrentListing() {
    const ListWindow* window = m_windows->active();
    if (window && window->kind() == ListKind::Club) {
        m_session.dialogs().inform(RegisterTexts::clubListRefused(), RegisterTexts::windowTitle());
        return;
    }
    if (!window || isServerList(window->kind()) || window->currentNumber() <= 0)
        return;
    openRegistration({EditMode::Edit, window->currentNumber()});
}

void frmMain::printCurrentSheet(bool shared) {
    const ListWindow* window = m_windows->active();
    const bool fits = window && isServerList(window->kind()) == shared;
    const int number = !fits ? 0 : shared ? window->currentServerRow() : window->currentNumber();
    if (number <= 0) {
        m_session.dialogs().inform(ActionTexts::noSelection(), ActionTexts::titleCheck());
        return;
    }
    ListingSheetPrint sheets(m_session);
    const SheetPrint printed = shared ? sheets.shared(number) : sheets.own(number);
    ReportPreview::handOrTell(m_session, printed.page, printed.error, this);
}

void frmMain::askExit() {
    if (m_session.dialogs().askYesNo(exitQuestion(), exitTitle()))
        endProgram();
}

void frmMain::endProgram() {
    keepGeometry();
    if (m_session.listingOpen() && !m_session.state().LoginId.isEmpty())
        BackupActions(m_session).dailyBackup();
    m_session.DbConnClose();
    m_session.endProgram(0);
}

// The first time on a screen the window fills it; later it opens where the user left it.
void frmMain::restoreLastGeometry() {
    QByteArray geometry;
    attemptStore(m_session, QLatin1String(kLogLabel), [&] {
        if (m_session.listingOpen())
            geometry = SettingsStore::ofUser(m_session).mainWindowGeometry();
    });
    const QScreen* screen = this->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    // A geometry kept on a larger screen would put the tool buttons off this one.
    const bool fits = !geometry.isEmpty() && restoreGeometry(geometry) && area.contains(frameGeometry());
    if (!fits) {
        if (area.isValid())
            setGeometry(area); // where no window manager maximizes, the window still fills the screen
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void frmMain::keepGeometry() {
    attemptStore(m_session, QLatin1String(kLogLabel), [&] {
        if (m_session.listingOpen() && !m_session.state().LoginId.isEmpty())
            SettingsStore::ofUser(m_session).setMainWindowGeometry(saveGeometry());
    });
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_session.endRequested())
        endProgram();
}

void frmMain::collectSms(bool owners) {
    const QStringList numbers = owners ? m_actions->ownerNumbers() : m_actions->agentNumbers();
    if (numbers.isEmpty())
        return;
    m_smsNumbers = numbers;
    frmSms window(m_session, this);
    window.setGroup(numbers);
    runOpenedDialog(m_session.outlets(), window);
    m_status->refreshCash();
}

void frmMain::openWebPage(const QString& key) {
    const QUrl url = m_session.config().webPage(key);
    if (url.isValid())
        m_session.outlets().openUrl(url);
}

void frmMain::tellLater() {
    m_session.dialogs().inform(comingLaterText(), QStringLiteral("알림"));
}

} // namespace teran
