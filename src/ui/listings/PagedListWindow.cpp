#include "PagedListWindow.h"

#include "core/listings/ListSpreadsheet.h"
#include "ui/widgets/ProgressWindow.h"

#include "ui/widgets/Named.h"

#include "ui/widgets/RowScroller.h"

#include "frmSearch.h"

#include "ListingTableModel.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"
#include "frmSearchPrint.h"
#include "ui/widgets/ColumnWidths.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace teran {

namespace {

const QString kNoticeTitle = QStringLiteral("알림");

} // namespace

QString emptyGridText() {
    return QStringLiteral("등록된 매물이 없습니다.");
}

QString nothingToPrintText() {
    return QStringLiteral("인쇄할 내용이 없습니다.") + QStringLiteral("\r\n") +
           QStringLiteral("인쇄할 목록에 '√'표시를 해주시기바랍니다.");
}

QString printTitle() {
    return QStringLiteral("인쇄하기");
}

PagedListWindow::PagedListWindow(Session& session, QWidget* parent)
    : ListWindow(parent)
    , m_session(session)
    , m_model(new ListingTableModel(this)) {
    m_body = new QVBoxLayout(this);
    m_body->setContentsMargins(4, 4, 4, 4);
    buildControls();
    buildGrid();
    buildPaging();
}

void PagedListWindow::buildControls() {
    m_buttons = new QHBoxLayout;
    m_buttons->addWidget(new QLabel(QStringLiteral("출력수"), this));
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("txtCount"));
    m_count->setValidator(new QIntValidator(1, 9999, m_count));
    m_count->setMaximumWidth(50);
    m_count->installEventFilter(this);
    m_buttons->addWidget(m_count);
    m_fixed = new QCheckBox(QStringLiteral("페이지고정"), this);
    m_fixed->setObjectName(QStringLiteral("chkGojung"));
    m_buttons->addWidget(m_fixed);
    m_allTypes = new QCheckBox(QStringLiteral("전체종목"), this);
    m_allTypes->setObjectName(QStringLiteral("chkSearchAll"));
    m_buttons->addWidget(m_allTypes);
    m_buttons->addStretch();
    QPushButton* tick =
        namedButton(this, QStringLiteral("cmdChk"), QStringLiteral("전체선택"), EnterKey::Ignored);
    QPushButton* print =
        namedButton(this, QStringLiteral("cmdPrint"), QStringLiteral("인쇄"), EnterKey::Ignored);
    QPushButton* widths =
        namedButton(this, QStringLiteral("cmdlvWith"), QStringLiteral("간격저장"), EnterKey::Ignored);
    QPushButton* sheet =
        namedButton(this, QStringLiteral("cmdExcel"), ListSpreadsheet::title(), EnterKey::Ignored);
    QPushButton* reload =
        namedButton(this, QStringLiteral("lblReload"), QStringLiteral("새로고침"), EnterKey::Ignored);
    QPushButton* detail =
        namedButton(this, QStringLiteral("cmdDetail"), frmSearch::titleText(), EnterKey::Ignored);
    for (QPushButton* b : {detail, tick, print, sheet, widths, reload})
        m_buttons->addWidget(b);
    m_body->addWidget(new RowScroller(m_buttons, this));

    connect(m_count, &QLineEdit::returnPressed, this, [this] {
        storePageSize();
        m_page = 1;
        runSearch();
    });
    connect(m_fixed, &QCheckBox::toggled, this, &PagedListWindow::storeFixedPage);
    connect(m_allTypes, &QCheckBox::toggled, this, [this] {
        m_page = 1;
        runSearch();
    });
    connect(tick, &QPushButton::clicked, this, &PagedListWindow::tickAll);
    connect(print, &QPushButton::clicked, this, &PagedListWindow::print);
    connect(sheet, &QPushButton::clicked, this, &PagedListWindow::exportSheet);
    connect(widths, &QPushButton::clicked, this, &PagedListWindow::saveWidths);
    connect(reload, &QPushButton::clicked, this, &PagedListWindow::refresh);
    connect(detail, &QPushButton::clicked, this, &PagedListWindow::openDetailedSearch);
}

// 종합검색: the list reloads with what the search window hands it, from the first page.
frmSearch* PagedListWindow::openDetailedSearch() {
    auto* search = new frmSearch(m_session, kind() == ListKind::Own ? ListKind::Own : ListKind::Shared, this);
    search->setAttribute(Qt::WA_DeleteOnClose);
    connect(search, &frmSearch::searchRequested, this, [this](const ListFilter& filter) {
        m_page = 1;
        m_panel = filter;
        runSearch();
    });
    search->open();
    return search;
}

void PagedListWindow::buildGrid() {
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("lvMy"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->viewport()->installEventFilter(this);
    m_body->addWidget(m_grid, 1);

    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &PagedListWindow::headerClicked);
    connect(m_grid, &QTableView::clicked, this, &PagedListWindow::cellClicked);
    connect(m_grid, &QTableView::doubleClicked, this, &PagedListWindow::cellDoubleClicked);
    connect(m_grid, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& at) { Q_EMIT menuRequested(m_grid->viewport()->mapToGlobal(at)); });
}

void PagedListWindow::buildPaging() {
    auto* row = new QHBoxLayout;
    m_first = namedButton(this, QStringLiteral("cmdFirst"), QStringLiteral("◀◀"), EnterKey::Ignored);
    m_prev = namedButton(this, QStringLiteral("cmdPrev"), QStringLiteral("◀"), EnterKey::Ignored);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_next = namedButton(this, QStringLiteral("cmdNext"), QStringLiteral("▶"), EnterKey::Ignored);
    m_last = namedButton(this, QStringLiteral("cmdLast"), QStringLiteral("▶▶"), EnterKey::Ignored);
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("lblCount"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_first, m_prev, m_pageLabel, m_next, m_last})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(m_countLabel);
    m_body->addLayout(row);

    connect(m_first, &QPushButton::clicked, this, [this] { goToPage(1); });
    connect(m_prev, &QPushButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { goToPage(m_model->page().pageCount); });
    showPage({}, ListKind::Own, {});
}

void PagedListWindow::loadSettings() {
    m_shownKind = queryKind();
    if (!m_session.listingOpen())
        return;
    attemptStore(m_session, logLabel(QStringLiteral("Form_Load")), [&] {
        const SettingsStore settings = SettingsStore::ofUser(m_session);
        const QSignalBlocker blockFixed(m_fixed);
        m_fixed->setChecked(readFixedPage(settings));
        const std::optional<int> rows = settings.listPageSize();
        m_count->setText(rows ? QString::number(*rows) : QString());
    });
}

void PagedListWindow::search(const ListFilter& panel) {
    m_panel = panel;
    if (!m_fixed->isChecked())
        m_page = 1;
    runSearch();
}

void PagedListWindow::refresh() {
    runSearch();
}

void PagedListWindow::goToPage(int page) {
    m_page = std::max(1, page);
    runSearch();
}

ListRequest PagedListWindow::currentRequest() const {
    ListFilter filter = m_panel;
    if (m_allTypes->isChecked())
        filter.tb.clear();
    ListRequest request(queryKind(), filter, m_sort, m_count->text());
    request.page = m_page;
    request.totalLater = true;
    adjustRequest(request);
    return request;
}

// 엑셀저장: every row the list's search finds, with the list's columns, into a workbook or CSV.
void PagedListWindow::exportSheet() {
    ProgressWindow progress(this, ListSpreadsheet::title(), QString());
    ListSpreadsheet(m_session).exportList(
        currentRequest(), [&](qint64 done, qint64 total) { return progress.step(done, total); });
}

void PagedListWindow::runSearch() {
    const ListRequest request = currentRequest();
    const int search = ++m_searches;
    // A list of the server's is read off this thread; past a moment the wait shows with 취소.
    ListPage page;
    {
        ServerWait wait(this);
        page = searchList(
            m_session, request, [this](const QString& text) { Q_EMIT statusText(text); }, wait.cancelled());
    }
    if (search != m_searches)
        return; // a newer search was asked for meanwhile
    const QString tb = isAllTypes(request.filter.tb) ? QString() : request.filter.tb;
    showPage(page, request.kind, tb);
    Q_EMIT statusText(page.statusText());
    if (page.ok && page.totalPending)
        countAfterShowing(request);
}

// The page is painted before the rows are counted.
void PagedListWindow::countAfterShowing(const ListRequest& request) {
    QTimer::singleShot(0, this, [this, request, search = m_searches] {
        if (search != m_searches)
            return;
        countListLater(m_session, request, this, [this, search](std::optional<qint64> total) {
            if (search != m_searches || !total)
                return;
            m_model->setTotal(*total);
            showPaging(m_model->page());
            Q_EMIT statusText(m_model->page().countText());
        });
    });
}

void PagedListWindow::showPage(const ListPage& page, ListKind kind, const QString& tb) {
    m_shownKind = kind;
    m_shownType = tb;
    m_page = page.page;
    m_model->setPage(page, tb);
    applyFontSize();
    applyColumns();
    showPaging(page);
}

// The office's grid font size (글꼴설정), taken at each fill so that a change shows at once.
void PagedListWindow::applyFontSize() {
    const int points = m_session.state().FontSizeSet;
    if (points <= 0 || m_grid->font().pointSize() == points)
        return;
    QFont font = m_grid->font();
    font.setPointSize(points);
    m_grid->setFont(font);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
}

void PagedListWindow::showPaging(const ListPage& page) {
    m_countLabel->setText(page.countText());
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(page.page).arg(page.pageCount));
    m_first->setEnabled(page.page > 1);
    m_prev->setEnabled(page.page > 1);
    m_next->setEnabled(page.page < page.pageCount);
    m_last->setEnabled(page.page < page.pageCount);
}

// Each column as wide as the page needs, then the widths the user saved for this list over them.
void PagedListWindow::applyColumns() {
    QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < m_model->columnCount(); ++column)
        header->setSectionHidden(column, m_model->isHiddenColumn(column));
    placeColumns();
    ColumnWidths widths(m_grid);
    widths.fitToContents();
    widths.apply(widthsFile());
}

// A column added to a list after its layout files were first written keeps the end of the
// model, so that saved widths still go to their columns, and is shown where it belongs.
void PagedListWindow::placeColumns() {
    QHeaderView* header = m_grid->horizontalHeader();
    const ListColumnSet& columns = m_model->page().columns;
    const QStringList captions = captionsOf(columns);
    for (int column = 0; column < columns.size(); ++column) {
        const int after = int(captions.indexOf(columns.at(column).shownAfter));
        if (columns.at(column).shownAfter.isEmpty() || after < 0)
            continue;
        const int from = header->visualIndex(column);
        const int to = header->visualIndex(after) + (header->visualIndex(after) < from ? 1 : 0);
        if (from != to)
            header->moveSection(from, to);
    }
}

LayoutFile PagedListWindow::widthsFile() const {
    return LayoutFile(m_session.dataFolder(), layoutKindFor(m_shownKind, m_shownType),
                      m_session.state().LoginId, m_shownType);
}

QList<ListingPick> PagedListWindow::tickedPicks() const {
    return m_model->tickedPicks();
}

void PagedListWindow::notice(const QString& text) const {
    m_session.dialogs().inform(text, kNoticeTitle);
}

QString PagedListWindow::logLabel(const QString& routine) const {
    return windowName() + QStringLiteral(" -> ") + routine + QStringLiteral(" => ");
}

void PagedListWindow::storePageSize() {
    if (!m_session.listingOpen())
        return;
    bool ok = false;
    const int rows = m_count->text().trimmed().toInt(&ok);
    attemptStore(m_session, logLabel(QStringLiteral("txtCount_LostFocus")), [&] {
        SettingsStore::ofUser(m_session).setListPageSize(ok && rows > 0 ? std::optional<int>(rows)
                                                                        : std::nullopt);
    });
}

void PagedListWindow::storeFixedPage(bool fixed) {
    if (!m_session.listingOpen())
        return;
    attemptStore(m_session, logLabel(QStringLiteral("chkGojung_Click")), [&] {
        SettingsStore settings = SettingsStore::ofUser(m_session);
        writeFixedPage(settings, fixed);
    });
}

void PagedListWindow::headerClicked(int section) {
    const std::optional<SortState> next =
        clickHeader(m_shownKind, m_sort, m_model->caption(section), m_shownType);
    if (!next) {
        notice(unsortableFieldText());
        return;
    }
    m_sort = *next;
    runSearch();
}

void PagedListWindow::cellClicked(const QModelIndex& index) {
    const ListItem* item = m_model->item(index.row());
    if (!item)
        return;
    attemptStore(m_session, logLabel(QStringLiteral("lvMy_Click 회원사")), [&] { rowClicked(*item); });
}

// The row the row actions (수정, 문의하기, 인쇄) work on: the one the user clicked, else the only
// ticked one. A row that merely has the keyboard's focus is no choice of the user's.
int PagedListWindow::chosenRow() const {
    const QModelIndexList selected =
        m_grid->selectionModel() ? m_grid->selectionModel()->selectedRows() : QModelIndexList();
    if (!selected.isEmpty())
        return selected.first().row();
    const QList<int> ticked = m_model->tickedRows();
    return ticked.size() == 1 ? ticked.first() : -1;
}

int PagedListWindow::currentNumber() const {
    const ListItem* item = m_model->item(chosenRow());
    return item ? item->number : 0;
}

int PagedListWindow::currentServerRow() const {
    const ListItem* item = m_model->item(chosenRow());
    return item ? item->serverIdx : 0;
}

void PagedListWindow::cellDoubleClicked(const QModelIndex& index) {
    const ListItem* item = m_model->item(index.row());
    if (!item)
        return;
    attemptStore(m_session, logLabel(QStringLiteral("lvMy_DblClick 회원사")),
                 [&] { rowDoubleClicked(*item); });
}

bool PagedListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_count && event->type() == QEvent::FocusOut)
        storePageSize();
    if (m_grid && watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        m_model->rowCount() == 0) {
        notice(emptyGridText());
        return true;
    }
    return ListWindow::eventFilter(watched, event);
}

void PagedListWindow::tickAll() {
    if (m_model->rowCount() == 0) {
        notice(emptyGridText());
        return;
    }
    m_model->tickAll();
}

void PagedListWindow::print() {
    const QList<int> rows = m_model->tickedRows();
    if (rows.isEmpty()) {
        m_session.dialogs().inform(nothingToPrintText(), printTitle());
        return;
    }
    PrintSource source;
    source.windowName = windowName();
    source.kind = m_shownKind;
    source.tb = m_shownType;
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (!m_model->isHiddenColumn(column))
            source.columns << PrintColumn{column, m_model->caption(column)};
    for (int row : rows)
        source.rows << m_model->item(row)->cells;
    auto* window = new frmSearchPrint(m_session, source, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void PagedListWindow::saveWidths() {
    ColumnWidths widths(m_grid);
    widths.setDefaultWidths(widths.fittedWidths());
    widths.saveOrReset(m_session.dialogs(), widthsFile());
}

} // namespace teran
