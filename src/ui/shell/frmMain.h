#pragma once

#include "core/listings/ListColumnSets.h"
#include "core/session/SettingsStore.h"
#include "ui/listings/ListWindowFactory.h"

#include "core/people/CardBook.h"
#include "ui/register/frmInsert.h"

namespace teran {
class frmCard;
class frmMaesu;
class frmDaily;
class frmGaeyak;
class frmClub;
class frmFamily;
class frmPaper;
class frmSms;
class GameTetris;
} // namespace teran

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <functional>

class QAction;
class QActionGroup;
class QDockWidget;
class QMdiArea;

namespace teran {

class ListWindowHost;
class ListingActionRunner;
class MainMenus;
class MainStatusBar;
class RowPreview;
class SearchPanel;
class Session;
class StartPanelArea;

// The frame window of the program. It holds the menus, the toolbar with the list-kind buttons,
// the search panel, the picture boxes of the clicked listing and the status bar; the list
// windows open inside it. Each piece of work is done by its own class: MainMenus, SearchPanel,
// ListWindowHost, ListingActionRunner, MainStatusBar.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Session& session, QWidget* parent = nullptr)
        : frmMain(session, &makeListWindow, parent) {}
    frmMain(Session& session, ListWindowFactory factory, QWidget* parent = nullptr);
    ~frmMain() override;

    static QString windowTitleText();
    static QString exitQuestion() { return QStringLiteral("TERAN 프로그램을 종료합니다."); }
    static QString exitTitle() { return QStringLiteral("프로그램종료"); }
    // The caption of the search panel for each kind of list.
    static QString searchCaption(ListKind kind);
    QString connectionText() const;

    // The list the type entries open: own, club or shared listings (exactly one is active).
    ListKind activeKind() const;
    void setActiveKind(ListKind kind);

    // Opens (or brings forward) the list window of the active kind on a type and transaction
    // and runs its search.
    void OpenListWindow(const QString& tb, const QString& label, const QString& ty);
    // cmdSearch: the active list window searches with the panel's inputs.
    void cmdSearch_Click();

    // The pop-up menu of a list window's grid: the entries that work on ticked listings.
    void showListingMenu(const QPoint& globalPos);
    // 맞는 매수인 of the current row of the active list.
    void openFittingBuyers();
    // Opens the registration window on a new or a stored listing.
    frmInsert* openRegistration(RegistrationRequest request);
    frmInsert* registration() const { return m_registration; }
    frmGaeyak* openContractRegister();
    frmDaily* openSchedule();          // 일정관리, one at a time
    frmPaper* openInquiryBox();        // 문의함, one at a time, read again when asked for again
    frmFamily* openStaff();            // 직원현황, with the internet only
    frmClub* openClubs();              // 테란클럽, with the internet only
    frmCard* openCards(CardPart part); // 명함관리 / 고객관리, one of each at a time
    frmMaesu* openBuyers();            // 매수자관리, one at a time
    void askAboutCurrentListing();     // 문의하기
    bool ClickEnabled() const;
    // The numbers the last SMS entry collected, kept for the SMS window.
    const QStringList& smsNumbers() const { return m_smsNumbers; }

    QMdiArea* mdiArea() const;
    MainMenus& menus() const { return *m_menus; }
    ListWindowHost& listWindows() const { return *m_windows; }
    ListingActionRunner& actions() const { return *m_actions; }
    StartPanelArea& startArea() const { return *m_area; }

    // 내매물 인쇄 / 공유매물 인쇄: the sheet of the listing under the cursor of the active list.
    void printCurrentSheet(bool shared);

protected:
    // Closing the frame ends the program.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildSearchDock();
    void connectMenus();
    void openGame();
    void importListings();
    void runBackup(bool restoring);
    void connectActions();
    void Load();
    void applyBackupPermissions();
    void showStartPanel();
    void chooseStartPanel(StartPanel panel);
    void presetRegion(const QString& tb);
    void runSearch(ListWindow* window);
    void askExit();
    void endProgram();
    void collectSms(bool owners);
    void openWebPage(const QString& key);
    void tellLater();
    void fitArchiveEntries();
    void editCurrentListing();
    void restoreLastGeometry();
    void keepGeometry();

    Session& m_session;
    StartPanelArea* m_area;
    MainStatusBar* m_status;
    MainMenus* m_menus;
    QPointer<GameTetris> m_game;
    SearchPanel* m_search = nullptr;
    RowPreview* m_preview = nullptr;
    QDockWidget* m_searchDock = nullptr;
    QActionGroup* m_kinds = nullptr;
    ListWindowHost* m_windows;
    ListingActionRunner* m_actions;
    QStringList m_smsNumbers;
    QPointer<frmInsert> m_registration;
    QPointer<frmGaeyak> m_contracts;
    QPointer<frmDaily> m_schedule;
    QPointer<frmCard> m_cards[2];
    QPointer<frmMaesu> m_buyers;
    QPointer<frmPaper> m_inquiries;
    QPointer<frmFamily> m_staff;
    QPointer<frmClub> m_clubs;
};

} // namespace teran
