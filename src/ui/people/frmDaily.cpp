#include "frmDaily.h"

#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "frmDailyIn.h"
#include "ui/widgets/Named.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kNumberRole = Qt::UserRole;
constexpr int kMoneyRole = Qt::UserRole + 1;

QTreeWidget* listOf(QWidget* parent, const char* name, const QStringList& columns) {
    auto* list = named(new QTreeWidget(parent), name);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setHeaderLabels(columns);
    list->header()->setSectionResizeMode(QHeaderView::Interactive);
    return list;
}

QTabBar* periodTabs(QWidget* parent, const char* name) {
    auto* tabs = named(new QTabBar(parent), name);
    tabs->setUsesScrollButtons(false);
    tabs->setExpanding(false);
    for (const QString& caption : {QStringLiteral("일별"), QStringLiteral("월별"), QStringLiteral("기간별")})
        tabs->addTab(caption);
    return tabs;
}

QDateEdit* rangeBox(QWidget* parent, const char* name, const QDate& day) {
    auto* box = named(new QDateEdit(day, parent), name);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return box;
}

// Radio buttons whose ids index `columns`, the first one chosen.
QButtonGroup* searchOptions(QWidget* parent, QHBoxLayout* row, const char* name,
                            const QStringList& captions) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], parent);
        option->setObjectName(QLatin1String(name) + QLatin1Char('_') + QString::number(i));
        option->setChecked(i == 0);
        group->addButton(option, i);
        row->addWidget(option);
    }
    return group;
}

// The range boxes count on the range tab only.
void enableRange(QTabBar* tabs, QDateEdit* from, QDateEdit* to) {
    const auto follow = [=] {
        const bool range = PeriodKind(tabs->currentIndex()) == PeriodKind::Range;
        from->setEnabled(range);
        to->setEnabled(range);
    };
    QObject::connect(tabs, &QTabBar::currentChanged, from, follow);
    follow();
}

void addRow(QTreeWidget* list, const QStringList& cells, int number, bool money) {
    auto* item = new QTreeWidgetItem(list, cells);
    item->setData(0, kNumberRole, number);
    item->setData(0, kMoneyRole, money);
    if (money)
        for (int c : {1, 2})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

frmDaily::frmDaily(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_day(session.clock().today()) {
    setObjectName(QStringLiteral("frmDaily"));
    setWindowTitle(QStringLiteral("일정관리"));
    auto* split = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_calendar = named(new QCalendarWidget(this), "monthNow");
    m_calendar->setLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
    m_calendar->setSelectedDate(m_day);
    m_calendar->setGridVisible(true);
    left->addWidget(m_calendar);
    m_action = named(new QLineEdit(this), "action");
    m_action->hide();
    left->addStretch();
    split->addLayout(left);
    auto* right = new QVBoxLayout;
    m_title = named(new QLabel(this), "title");
    QFont big = m_title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_title->setFont(big);
    right->addWidget(m_title);
    m_parts = named(new QTabWidget(this), "tabPart");
    m_parts->addTab(buildSchedulePart(), QStringLiteral("스케쥴"));
    m_parts->addTab(buildMoneyPart(), QStringLiteral("수입/지출"));
    right->addWidget(m_parts, 1);
    split->addLayout(right, 1);

    connect(m_calendar, &QCalendarWidget::clicked, this, &frmDaily::chooseDay);
    connect(m_calendar, &QCalendarWidget::activated, this, &frmDaily::chooseDay);
    connect(m_action, &QLineEdit::textChanged, this, &frmDaily::actionChanged);
    connect(m_parts, &QTabWidget::currentChanged, this, [this] { chooseDay(m_day); });
    resize(1200, 700);
    fillPurposes();
    chooseDay(m_day);
    reloadMoney();
}

QWidget* frmDaily::buildSchedulePart() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout;
    m_tabS = periodTabs(page, "tabS");
    bar->addWidget(m_tabS);
    m_fromS = rangeBox(page, "dtpS1", QDate(m_day.year(), m_day.month(), 1));
    m_toS = rangeBox(page, "dtpS2", m_day);
    bar->addWidget(m_fromS);
    bar->addWidget(new QLabel(QStringLiteral("~"), page));
    bar->addWidget(m_toS);
    bar->addStretch();
    m_optS = searchOptions(
        page, bar, "optS",
        {QStringLiteral("이름"), QStringLiteral("회사명"), QStringLiteral("장소"), QStringLiteral("비고")});
    m_textS = named(new QLineEdit(page), "txtS");
    bar->addWidget(m_textS);
    auto* find = addButton(bar, page, "cmdSS", QStringLiteral("검색"));
    auto* add = addButton(bar, page, "cmdS", QStringLiteral("새일정"));
    auto* print = addButton(bar, page, "cmdPrintS", QStringLiteral("인쇄"));
    column->addLayout(bar);
    auto* lists = new QSplitter(Qt::Vertical, page);
    m_listS = listOf(lists, "lvS", scheduleColumns());
    auto* due = new QWidget(lists);
    auto* dueColumn = new QVBoxLayout(due);
    dueColumn->setContentsMargins(0, 0, 0, 0);
    dueColumn->addWidget(new QLabel(QStringLiteral("오늘의 알림"), due));
    m_reminders = listOf(due, "lvSauto", scheduleColumns());
    dueColumn->addWidget(m_reminders);
    lists->addWidget(m_listS);
    lists->addWidget(due);
    lists->setStretchFactor(0, 3);
    lists->setStretchFactor(1, 1);
    column->addWidget(lists, 1);

    connect(m_tabS, &QTabBar::currentChanged, this, &frmDaily::reloadSchedule);
    enableRange(m_tabS, m_fromS, m_toS);
    for (QDateEdit* box : {m_fromS, m_toS})
        connect(box, &QDateEdit::dateChanged, this, &frmDaily::reloadSchedule);
    connect(m_textS, &QLineEdit::returnPressed, this, &frmDaily::cmdSS_Click);
    connect(find, &QPushButton::clicked, this, &frmDaily::cmdSS_Click);
    connect(add, &QPushButton::clicked, this, &frmDaily::cmdS_Click);
    connect(print, &QPushButton::clicked, this, &frmDaily::cmdPrintS_Click);
    for (QTreeWidget* list : {m_listS, m_reminders})
        connect(list, &QTreeWidget::itemDoubleClicked, this, &frmDaily::openEntry);
    return page;
}

QWidget* frmDaily::buildMoneyPart() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout;
    m_tabM = periodTabs(page, "tabM");
    bar->addWidget(m_tabM);
    m_fromM = rangeBox(page, "dtpM1", QDate(m_day.year(), m_day.month(), 1));
    m_toM = rangeBox(page, "dtpM2", m_day);
    bar->addWidget(m_fromM);
    bar->addWidget(new QLabel(QStringLiteral("~"), page));
    bar->addWidget(m_toM);
    m_purpose = named(new QComboBox(page), "groupin");
    bar->addWidget(m_purpose);
    bar->addStretch();
    m_optM = searchOptions(page, bar, "optM",
                           {QStringLiteral("수입내역"), QStringLiteral("지출내역"), QStringLiteral("비고")});
    m_textM = named(new QLineEdit(page), "txtM");
    bar->addWidget(m_textM);
    auto* find = addButton(bar, page, "cmdMS", QStringLiteral("검색"));
    auto* add = addButton(bar, page, "cmdM", QStringLiteral("새항목"));
    auto* print = addButton(bar, page, "cmdPrintM", QStringLiteral("인쇄"));
    column->addLayout(bar);
    enableRange(m_tabM, m_fromM, m_toM);
    for (QDateEdit* box : {m_fromM, m_toM})
        connect(box, &QDateEdit::dateChanged, this, &frmDaily::reloadMoney);
    m_groups = named(new QTabBar(page), "tabGroup");
    m_groups->setExpanding(false);
    column->addWidget(m_groups);
    m_listM = listOf(page, "lvM", moneyColumns());
    column->addWidget(m_listM, 1);
    m_totals = named(new QLabel(page), "titleM");
    m_totals->setAlignment(Qt::AlignRight);
    column->addWidget(m_totals);

    for (QTabBar* tabs : {m_tabM, m_groups})
        connect(tabs, &QTabBar::currentChanged, this, [this] {
            if (!m_filling)
                reloadMoney();
        });
    connect(m_purpose, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            reloadMoney();
    });
    connect(m_textM, &QLineEdit::returnPressed, this, &frmDaily::cmdMS_Click);
    connect(find, &QPushButton::clicked, this, &frmDaily::cmdMS_Click);
    connect(add, &QPushButton::clicked, this, &frmDaily::cmdM_Click);
    connect(print, &QPushButton::clicked, this, &frmDaily::cmdPrintM_Click);
    connect(m_listM, &QTreeWidget::itemDoubleClicked, this, &frmDaily::openEntry);
    return page;
}

void frmDaily::chooseDay(const QDate& day) {
    m_day = day;
    if (m_calendar->selectedDate() != day)
        m_calendar->setSelectedDate(day);
    m_title->setText(scheduleTitle(day));
    if (m_parts->currentIndex() == 1) {
        fillPurposeTabs();
        reloadMoney();
    } else {
        reloadSchedule();
    }
}

void frmDaily::showMoneyPart(bool money) {
    m_parts->setCurrentIndex(money ? 1 : 0);
}

// The entry window flips `action` after every change: "daily"/"daily2" reload the schedule and
// its reminders, "money"/"money2" the diary.
void frmDaily::actionChanged(const QString& action) {
    if (action.startsWith(QLatin1String("money"))) {
        fillPurposes();
        fillPurposeTabs();
        reloadMoney();
    } else if (action.startsWith(QLatin1String("daily"))) {
        reloadSchedule();
    }
}

DiaryPeriod frmDaily::period(const QTabBar* tabs, const QDateEdit* from, const QDateEdit* to) const {
    return DiaryPeriod{
        .kind = PeriodKind(tabs->currentIndex()), .day = m_day, .from = from->date(), .to = to->date()};
}

DiarySearch frmDaily::search(const QButtonGroup* options, const QLineEdit* text) const {
    const QStringList columns =
        options == m_optS ? AppointmentBook::searchColumns() : MoneyDiary::searchColumns();
    return DiarySearch{columns.value(options->checkedId()), text->text().trimmed()};
}

void frmDaily::reloadSchedule() {
    m_listS->clear();
    m_reminders->clear();
    attempt(QStringLiteral("ScheduleList"), [&] {
        AppointmentBook book(m_session);
        m_shownS = book.list(period(m_tabS, m_fromS, m_toS), search(m_optS, m_textS));
        for (const Appointment& a : m_shownS)
            addRow(m_listS, scheduleCells(a), a.number, false);
        for (const Appointment& a : book.reminders(m_session.clock().today()))
            addRow(m_reminders, scheduleCells(a), a.number, false);
    });
}

MoneyFilter frmDaily::moneyFilter() const {
    return MoneyFilter{period(m_tabM, m_fromM, m_toM), search(m_optM, m_textM), m_purpose->currentText(),
                       m_groups->currentIndex() > 0 ? m_groups->tabText(m_groups->currentIndex())
                                                    : QString()};
}

void frmDaily::reloadMoney() {
    m_listM->clear();
    const auto done =
        attempt(QStringLiteral("MoneyList"), [&] { m_shownM = MoneyDiary(m_session).list(moneyFilter()); });
    if (!done) {
        m_shownM.clear();
    }
    for (const MoneyLine& m : m_shownM)
        addRow(m_listM, moneyCells(m), m.number, true);
    m_totals->setText(moneyTotalsText(moneyTotals(m_shownM)));
}

// The purpose tabs of the chosen month after "전체"; the tab chosen stays when the month has it.
void frmDaily::fillPurposeTabs() {
    const QString chosen =
        m_groups->currentIndex() > 0 ? m_groups->tabText(m_groups->currentIndex()) : QString();
    QStringList purposes;
    attempt(QStringLiteral("tabGroup"), [&] { purposes = MoneyDiary(m_session).purposesOfMonth(m_day); });
    m_filling = true;
    while (m_groups->count() > 0)
        m_groups->removeTab(0);
    m_groups->addTab(MoneyDiary::everyTab());
    for (const QString& p : purposes)
        m_groups->addTab(p);
    m_groups->setCurrentIndex(std::max(0, int(purposes.indexOf(chosen)) + 1));
    m_filling = false;
}

void frmDaily::fillPurposes() {
    const QString chosen = m_purpose->currentText();
    QStringList purposes;
    attempt(QStringLiteral("groupin"), [&] { purposes = MoneyDiary(m_session).purposes(); });
    m_filling = true;
    m_purpose->clear();
    m_purpose->addItem(MoneyDiary::everyPurpose());
    m_purpose->addItems(purposes);
    m_purpose->setCurrentIndex(std::max(0, m_purpose->findText(chosen)));
    m_filling = false;
}

QString frmDaily::totalsText() const {
    return m_totals->text();
}

void frmDaily::cmdSS_Click() {
    reloadSchedule();
}

void frmDaily::cmdMS_Click() {
    reloadMoney();
}

void frmDaily::cmdS_Click() {
    openEntryWindow(false, 0);
}

void frmDaily::cmdM_Click() {
    openEntryWindow(true, 0);
}

void frmDaily::openEntry(QTreeWidgetItem* item) {
    if (item)
        openEntryWindow(item->data(0, kMoneyRole).toBool(), item->data(0, kNumberRole).toInt());
}

void frmDaily::openEntryWindow(bool money, int number) {
    const QDate day = number > 0 ? m_day : m_session.clock().today();
    auto* entry = new frmDailyIn(m_session, money, number, day, this);
    connect(entry, &frmDailyIn::entryChanged, this, [this](bool changedMoney) {
        const QString base = changedMoney ? QStringLiteral("money") : QStringLiteral("daily");
        m_action->setText(m_action->text() == base ? base + QLatin1Char('2') : base);
    });
    showOpenedWindow(m_session.outlets(), entry);
}

void frmDaily::cmdPrintS_Click() {
    const DiaryPeriod p = period(m_tabS, m_fromS, m_toS);
    ReportPreview::hand(m_session, scheduleDocument(p.text() + QStringLiteral(" 일정표"), m_shownS), this);
}

void frmDaily::cmdPrintM_Click() {
    const DiaryPeriod p = period(m_tabM, m_fromM, m_toM);
    ReportPreview::hand(m_session, moneyDocument(p.text() + QStringLiteral(" 수입/지출"), m_shownM), this);
}

void frmDaily::storeFailed(const StoreFailure& failure) {
    // One box for the window: the lists that follow would meet the same fault.
    if (!m_told)
        showStoreFailure(m_session, failure, StoreKind::Listing);
    m_told = true;
}

} // namespace teran
