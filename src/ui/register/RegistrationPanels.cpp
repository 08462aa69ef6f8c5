#include "RegistrationPanels.h"

#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kRightEntries = 4; // the first four menu entries choose the right-hand panel

const std::pair<const char*, const char*> kEntries[] = {
    {"popupMaedo", "매도자정보"}, {"popupTime", "시계"},      {"popupFilebox", "파일함"},
    {"popupMlogo", "로고"},       {"popupWork1", "작업상황"}, {"popupWork2", "지번별작업상황"},
    {"popupWork3", "임차인현황"}, {"popupCalendar", "달력"},  {"popupSise1", "시세표"},
    {"popupSise2", "시세그래프"}, {"popupWlogo", "로고"}};

QLabel* logo(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("TERAN"), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

RegistrationPanels::RegistrationPanels(Session& session, QWidget* seller, QWidget* window)
    : QObject(window)
    , m_session(session) {
    buildRight(seller, window);
    buildLower(window);
    buildMenu(window);
}

void RegistrationPanels::buildRight(QWidget* seller, QWidget* window) {
    m_right = new QStackedWidget(window);
    m_right->setObjectName(QStringLiteral("panelRight"));
    m_right->addWidget(seller);
    m_clock = new QLabel(m_right);
    m_clock->setObjectName(QStringLiteral("pic_Digital"));
    m_clock->setAlignment(Qt::AlignCenter);
    QFont big = m_clock->font();
    big.setPointSize(big.pointSize() * 3);
    m_clock->setFont(big);
    m_right->addWidget(m_clock);
    // The files themselves are kept and added in the file box window (cmdFilebox).
    auto* files = new QLabel(
        QStringLiteral("파일함: 아래의 [파일함] 단추로 이 매물의 파일을 보고 추가합니다."), m_right);
    files->setObjectName(QStringLiteral("filebox"));
    files->setWordWrap(true);
    files->setAlignment(Qt::AlignCenter);
    m_right->addWidget(files);
    m_right->addWidget(logo(m_right));
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    connect(timer, &QTimer::timeout, this, [this] {
        m_clock->setText(m_session.clock().now().time().toString(QStringLiteral("HH:mm:ss")));
    });
    timer->start(1000);
}

void RegistrationPanels::buildLower(QWidget* window) {
    m_lower = new QStackedWidget(window);
    m_lower->setObjectName(QStringLiteral("panelLower"));
    m_work = new QTabWidget(m_lower);
    m_work->setObjectName(QStringLiteral("tabWork"));
    // One note list and box serve both note tabs: the listing's own notes and those of its lot.
    // They move to the page of the tab chosen, and the window fills the list for that tab.
    m_notesPanel = new QWidget(m_work);
    auto* notesColumn = new QVBoxLayout(m_notesPanel);
    notesColumn->setContentsMargins(0, 0, 0, 0);
    m_notes = new QTreeWidget(m_notesPanel);
    m_notes->setObjectName(QStringLiteral("lvWork"));
    m_notes->setHeaderLabels({QStringLiteral("일시"), QStringLiteral("담당"), QStringLiteral("진행상황")});
    m_notes->setRootIsDecorated(false);
    m_note = new QPlainTextEdit(m_notesPanel);
    m_note->setObjectName(QStringLiteral("work"));
    m_note->setPlaceholderText(QStringLiteral("새 작업내용 (저장할 때 기록됩니다)"));
    m_note->setMaximumHeight(60);
    notesColumn->addWidget(m_notes);
    notesColumn->addWidget(m_note);
    for (const QString& caption : {QStringLiteral("매물작업상황"), QStringLiteral("지번별작업상황")}) {
        auto* page = new QWidget(m_work);
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(2, 2, 2, 2);
        m_work->addTab(page, caption);
    }
    m_work->widget(0)->layout()->addWidget(m_notesPanel);
    auto* tenants =
        new QLabel(QStringLiteral("임차인 현황을 등록하시려면 매물을 먼저 저장하셔야 합니다."), m_work);
    tenants->setObjectName(QStringLiteral("fraImchain"));
    m_work->addTab(tenants, QStringLiteral("임차인현황"));
    m_lower->addWidget(m_work);
    auto* calendar = new QCalendarWidget(m_lower);
    calendar->setObjectName(QStringLiteral("calendar"));
    m_lower->addWidget(calendar);
    m_lower->addWidget(new QLabel(QStringLiteral("시세"), m_lower));
    m_lower->addWidget(logo(m_lower));
    m_lower->setMaximumHeight(170);
    connect(m_work, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab < 2) {
            m_work->widget(tab)->layout()->addWidget(m_notesPanel);
            m_notesPanel->show(); // a widget given a new parent stays hidden until shown
        }
        Q_EMIT workTabChanged();
    });
}

void RegistrationPanels::buildMenu(QWidget* window) {
    m_menu = new QMenu(window);
    for (int i = 0; i < int(std::size(kEntries)); ++i) {
        if (i == kRightEntries)
            m_menu->addSeparator();
        QAction* entry = m_menu->addAction(QString::fromUtf8(kEntries[i].second));
        entry->setObjectName(QLatin1String(kEntries[i].first));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, i] { choose(i); });
    }
    for (QWidget* panel : {static_cast<QWidget*>(m_right), static_cast<QWidget*>(m_lower)}) {
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(panel, &QWidget::customContextMenuRequested, this,
                [this, panel](const QPoint& at) { m_menu->popup(panel->mapToGlobal(at)); });
    }
}

void RegistrationPanels::choose(int entry) {
    attemptStore(m_session, QStringLiteral("-popupMenu => "), [&] {
        SettingsStore settings = SettingsStore::ofUser(m_session);
        if (entry < kRightEntries)
            settings.setInsertRightPanel(InsertRightPanel(entry));
        else
            settings.setInsertLowerPanel(InsertLowerPanel(entry - kRightEntries));
    });
    load(m_storedListing);
}

void RegistrationPanels::load(bool storedListing) {
    m_storedListing = storedListing;
    InsertRightPanel right = InsertRightPanel::Maedoin;
    InsertLowerPanel lower = InsertLowerPanel::Work1;
    attemptStore(m_session, QStringLiteral("-Form_Load => "), [&] {
        const SettingsStore settings = SettingsStore::ofUser(m_session);
        right = settings.insertRightPanel();
        lower = settings.insertLowerPanel();
    });
    if (right == InsertRightPanel::Filebox && !storedListing)
        right = InsertRightPanel::Maedoin;
    m_right->setCurrentIndex(int(right));
    const int l = int(lower);
    // work1..3 are the tabs of one page; then the calendar, the two price panels, the logo.
    m_lower->setCurrentIndex(l < 3 ? 0 : l == 3 ? 1 : l < 6 ? 2 : 3);
    if (l < 3)
        m_work->setCurrentIndex(l);
    int at = 0;
    for (QAction* entry : m_menu->actions()) {
        if (entry->isSeparator())
            continue;
        entry->setChecked(at < kRightEntries ? at == int(right) : at - kRightEntries == l);
        ++at;
    }
}

} // namespace teran
