#include "frmSearch.h"

#include "SearchPanel.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"
#include "core/listings/ListQuery.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/NumericKeyCheck.h"
#include "ui/widgets/RegionCascade.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace teran {

namespace {

// The ready values of the amount boxes: 1,000 to 10,000 by 500, to 50,000 by 5,000, to 100,000
// by 10,000, to 500,000 by 50,000, then 100,000 steps to 900,000.
QStringList amountSteps() {
    QStringList steps;
    const auto run = [&steps](int from, int to, int step) {
        for (int v = from; v <= to; v += step)
            if (steps.isEmpty() || steps.last() != QLocale(QLocale::English).toString(v))
                steps << QLocale(QLocale::English).toString(v);
    };
    run(1000, 10000, 500);
    run(15000, 50000, 5000);
    run(60000, 100000, 10000);
    run(150000, 500000, 50000);
    run(600000, 900000, 100000);
    return steps;
}

QStringList numbers(std::initializer_list<int> values) {
    QStringList texts;
    for (int v : values)
        texts << QLocale(QLocale::English).toString(v);
    return texts;
}

QStringList counting(int from, int to) {
    QStringList texts;
    for (int v = from; v <= to; ++v)
        texts << QString::number(v);
    return texts;
}

// Two radio buttons or three (시작 / 포함 / 끝, 그리고 / 또는) in a row; the group's ids are
// the enum values.
QButtonGroup* choices(QWidget* parent, QHBoxLayout* row, const char* name, const QStringList& texts,
                      int checked) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < texts.size(); ++i) {
        auto* option = new QRadioButton(texts.at(i), parent);
        option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(option, i);
        row->addWidget(option);
    }
    group->button(checked)->setChecked(true);
    return group;
}

const QStringList kMatchTexts = {QStringLiteral("시작"), QStringLiteral("포함"), QStringLiteral("끝")};
const QStringList kJoinTexts = {QStringLiteral("그리고"), QStringLiteral("또는")};

} // namespace

frmSearch::frmSearch(Session& session, ListKind target, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_target(target) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(titleText());
    build();
    clear();
}

QString frmSearch::titleText() {
    return QStringLiteral("종합검색");
}

QLineEdit* frmSearch::line(const char* name) const {
    return findChild<QLineEdit*>(QLatin1String(name));
}

QComboBox* frmSearch::combo(const char* name) const {
    return findChild<QComboBox*>(QLatin1String(name));
}

// Lays the search boxes out on one grid, a row at a time.
class SearchGrid {
public:
    SearchGrid(QWidget* page, Dialogs& dialogs)
        : m_page(page)
        , m_grid(new QGridLayout(page))
        , m_dialogs(dialogs) {}

    QWidget* page() const { return m_page; }
    int row() const { return m_row; }
    void next() { ++m_row; }

    void label(const QString& text, int column = 0) {
        m_grid->addWidget(new QLabel(text, m_page), m_row, column);
    }
    // A caption over the next rows, on a row of its own.
    void heading(const QString& text) {
        label(text);
        next();
    }
    void add(QWidget* widget, int column, int span = 1) { m_grid->addWidget(widget, m_row, column, 1, span); }
    void add(QLayout* layout, int column, int span = 1) { m_grid->addLayout(layout, m_row, column, 1, span); }

    QLineEdit* lineBox(const char* name, int column, bool numeric = false) {
        auto* box = new QLineEdit(m_page);
        box->setObjectName(QLatin1String(name));
        if (numeric)
            NumericKeyCheck::attach(box, m_dialogs, true);
        add(box, column);
        return box;
    }

    QComboBox* comboBox(const char* name, int column, const QStringList& items, bool editable = true) {
        auto* box = new QComboBox(m_page);
        box->setObjectName(QLatin1String(name));
        box->setEditable(editable);
        box->addItems(items);
        box->setCurrentIndex(-1);
        if (editable && box->lineEdit())
            box->lineEdit()->setObjectName(QLatin1String(name) + QStringLiteral("_text"));
        add(box, column);
        return box;
    }

    // A row of exclusive choices in `column`.
    QButtonGroup* choiceRow(const char* name, const QStringList& texts, int chosen, int column = 2) {
        auto* row = new QHBoxLayout;
        QButtonGroup* group = choices(m_page, row, name, texts, chosen);
        add(row, column);
        return group;
    }

private:
    QWidget* m_page;
    QGridLayout* m_grid;
    Dialogs& m_dialogs;
    int m_row = 0;
};

void frmSearch::build() {
    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(titleText(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setProperty("Tag",
                       m_target == ListKind::Own ? QStringLiteral("frmList") : QStringLiteral("frmListie"));
    outer->addWidget(title);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* page = new QWidget(scroll);
    SearchGrid grid(page, m_session.dialogs());
    scroll->setWidget(page);
    outer->addWidget(scroll, 1);
    buildTypeAndPlace(grid);
    buildBoxChoice(grid);
    buildRanges(grid);
    buildOtherFacts(grid);
    buildOwnerFacts(grid);
    outer->addLayout(buildButtons());
    resize(760, 640);
}

void frmSearch::buildTypeAndPlace(SearchGrid& grid) {
    QWidget* page = grid.page();
    grid.label(QStringLiteral("종목"));
    m_type = new QComboBox(page);
    m_type->setObjectName(QStringLiteral("hdnTbname"));
    m_type->addItem(QStringLiteral("전체종목"), QString());
    for (const PropertyType& type : propertyTypes())
        m_type->addItem(type.label, type.code);
    grid.add(m_type, 1);
    m_name = grid.comboBox("cboName", 2, {});
    connect(m_type, &QComboBox::currentIndexChanged, this, &frmSearch::fillNames);
    grid.next();

    grid.label(QStringLiteral(" 지역검색 "));
    for (const char* name : {"addr1", "addr2", "addr3"}) {
        auto* box = new QComboBox(page);
        box->setObjectName(QLatin1String(name));
        grid.add(box, 1 + int(name[4] - '1'));
    }
    m_region = RegionCascade::attach(m_session, page);
    if (m_region)
        m_region->setRegions(registrationRegions());
    grid.next();
    grid.label(QStringLiteral("지번"));
    grid.lineBox("addr4", 1);
    m_lotMatch = grid.choiceRow("optaddr4", kMatchTexts, int(TextMatch::Starts));
    grid.next();
    grid.label(QStringLiteral("호수"));
    grid.lineBox("addr5", 1);
    m_unitMatch = grid.choiceRow("optaddr5", kMatchTexts, int(TextMatch::Starts));
    grid.next();
}

void frmSearch::buildBoxChoice(SearchGrid& grid) {
    auto* boxRow = new QHBoxLayout;
    m_box =
        choices(grid.page(), boxRow, "optState",
                {QStringLiteral("전체매물함"), QStringLiteral("활성매물함"), QStringLiteral("보관매물함")},
                int(BoxChoice::Active));
    const QStringList boxNames = {QStringLiteral("optStateAll"), QStringLiteral("optState1"),
                                  QStringLiteral("optState2")};
    for (int i = 0; i < 3; ++i)
        m_box->button(i)->setObjectName(boxNames.at(i));
    m_recent = new QCheckBox(QStringLiteral("최근 수정한 매물중에서만 검색."), grid.page());
    m_recent->setObjectName(QStringLiteral("chkNow"));
    boxRow->addWidget(m_recent);
    grid.add(boxRow, 0, 4);
    if (m_target != ListKind::Own) // the shared list has no archive and no colour rule
        for (QWidget* w :
             std::initializer_list<QWidget*>{m_box->button(0), m_box->button(1), m_box->button(2), m_recent})
            w->setEnabled(false);
    grid.next();
}

// Amounts, areas and floors, each a range of two boxes.
void frmSearch::buildRanges(SearchGrid& grid) {
    grid.heading(QStringLiteral(" 금액 / 평수 / 층수 "));
    const QStringList amounts = amountSteps();
    const struct {
        const char* caption;
        const char* from;
        const char* to;
        QStringList items;
    } ranges[] = {
        {"매매금", "m_m1", "m_m2", amounts},
        {"전세보증금", "m_jb1", "m_jb2", amounts},
        {"월세보증금", "m_b1", "m_b2", amounts},
        {"월세", "m_w1", "m_w2",
         numbers({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 150, 200, 300, 500, 1000, 5000})},
        {"합산금 = 월세보증금 + (월세x100)", "m_hap1", "m_hap2", amounts},
        {"실구입가", "m_sg1", "m_sg2", amounts},
        {"연수익률 (%)", "m_ys1", "m_ys2", counting(1, 40) + QStringList{"45", "50"}},
        {"대지 / 평", "pyung1", "pyung2",
         numbers({5, 8, 10, 15, 20, 25, 30, 40, 50, 100, 200, 500, 1000, 10000})},
        {"건물 / 실평", "pyung_use1", "pyung_use2",
         numbers({5, 8, 10, 15, 20, 25, 30, 40, 50, 100, 500, 5000})},
        {"지상/총층수", "floor1", "floor2", counting(1, 40)},
        {"방", "room1", "room2", counting(1, 10) + QStringList{"15", "20", "25", "30", "40", "50"}},
    };
    for (const auto& r : ranges) {
        grid.label(QString::fromUtf8(r.caption));
        for (QComboBox* box : {grid.comboBox(r.from, 1, r.items), grid.comboBox(r.to, 2, r.items)})
            NumericKeyCheck::attach(box->lineEdit(), m_session.dialogs(), true);
        grid.next();
    }
    grid.label(QStringLiteral("지하/해당층"));
    grid.comboBox("floor3", 1, QStringList{QStringLiteral("지하"), QStringLiteral("옥탑")} + counting(1, 40));
    m_floorsJoin = grid.choiceRow("optfloor", kJoinTexts, int(WordJoin::Any));
    grid.next();
}

void frmSearch::buildOtherFacts(SearchGrid& grid) {
    grid.heading(QStringLiteral(" 기타 "));
    grid.label(QStringLiteral("담당자"));
    QComboBox* staff = grid.comboBox("subid", 1, {}, false);
    staff->addItem(QString(), QString());
    for (const StaffMember& member : m_session.state().Staff)
        staff->addItem(member.name.isEmpty() ? member.id : member.name, member.id);
    grid.label(QStringLiteral("진행상태"), 2);
    grid.comboBox("ming", 3, progressStates());
    grid.next();
    grid.label(QStringLiteral("접수매체"));
    grid.comboBox("jubsu", 1,
                  {QStringLiteral("소개"), QStringLiteral("재거래(단골)"), QStringLiteral("홈피"),
                   QStringLiteral("매경"), QStringLiteral("한경"), QStringLiteral("중앙"),
                   QStringLiteral("조선")});
    grid.label(QStringLiteral("중개구분"), 2);
    grid.comboBox("maemaepart", 3, {QStringLiteral("단독중개"), QStringLiteral("공동중개")});
    grid.next();
    grid.label(QStringLiteral("형태"));
    grid.lineBox("maemultype", 1);
    grid.label(QStringLiteral("비고"), 2);
    grid.lineBox("mbigo", 3);
    grid.next();
    buildDateRange(grid);
    grid.label(QStringLiteral("매물번호"));
    grid.lineBox("txtTidx", 1)->setPlaceholderText(QStringLiteral("매물번호(,)콤마로 구분"));
    grid.next();
    grid.label(QStringLiteral("키워드"));
    grid.lineBox("Keyword", 1)->setPlaceholderText(QStringLiteral("검색키워드"));
    m_keywordsJoin = grid.choiceRow("optKey", kJoinTexts, int(WordJoin::Any));
    grid.next();
}

void frmSearch::buildDateRange(SearchGrid& grid) {
    m_byDate = new QCheckBox(QStringLiteral("날짜"), grid.page());
    m_byDate->setObjectName(QStringLiteral("chkDay"));
    grid.add(m_byDate, 0);
    m_dateColumn = grid.comboBox(
        "cboday", 1, {QStringLiteral("수정일"), QStringLiteral("등록일"), QStringLiteral("만료일")}, false);
    m_dateFrom = new QDateEdit(grid.page());
    m_dateFrom->setObjectName(QStringLiteral("dtpday1"));
    m_dateTo = new QDateEdit(grid.page());
    m_dateTo->setObjectName(QStringLiteral("dtpday2"));
    for (QDateEdit* date : {m_dateFrom, m_dateTo}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    grid.add(m_dateFrom, 2);
    grid.add(m_dateTo, 3);
    connect(m_byDate, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_dateColumn, m_dateFrom, m_dateTo})
            w->setEnabled(on);
    });
    grid.next();
}

// The owner's facts, searchable in the office's own list only.
void frmSearch::buildOwnerFacts(SearchGrid& grid) {
    const struct {
        const char* name;
        const char* caption;
    } owner[] = {{"uname", "매도자"}, {"uhome", "집전화"},   {"ufax", "팩스"},
                 {"uhp", "핸드폰"},   {"uoffice", "사무실"}, {"umoney", "희망가"}};
    for (int i = 0; i < 6; ++i) {
        grid.label(QString::fromUtf8(owner[i].caption), (i % 2) * 2);
        grid.lineBox(owner[i].name, (i % 2) * 2 + 1)->setEnabled(m_target == ListKind::Own);
        if (i % 2)
            grid.next();
    }
    grid.label(QStringLiteral("매도자 기타"));
    grid.lineBox("ubigo", 1)->setEnabled(m_target == ListKind::Own);
    m_remarkMatch = grid.choiceRow("optubigo", kMatchTexts, int(TextMatch::Contains));
    grid.next();
}

QHBoxLayout* frmSearch::buildButtons() {
    auto* buttons = new QHBoxLayout;
    auto* search = new QPushButton(QStringLiteral("검  색"), this);
    search->setObjectName(QStringLiteral("cmdSearch"));
    search->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("취  소"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(search);
    buttons->addWidget(cancel);
    connect(search, &QPushButton::clicked, this, [this] {
        if (const std::optional<ListFilter> filter = readOrTell()) {
            Q_EMIT searchRequested(*filter);
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &frmSearch::clear);
    return buttons;
}

// The name box offers the names stored for the type (the land's categories, the other types'
// kinds); types without a name search their features.
void frmSearch::fillNames() {
    const QString tb = m_type->currentData().toString();
    m_name->clear();
    const QString column = nameFilterColumn(tb);
    m_name->setProperty("Tag", column);
    const TypeRules* rules = typeRules(tb);
    m_name->lineEdit()->setPlaceholderText(rules && rules->hasName()               ? rules->nameCaption
                                           : column == QLatin1String("jimok")      ? QStringLiteral("지목")
                                           : column == QLatin1String("maemultype") ? QStringLiteral("분류")
                                                                                   : QStringLiteral("특징"));
    if (tb.isEmpty() || column == QLatin1String("special"))
        return;
    m_name->addItems(attemptStore(m_session, QStringLiteral("frmSearch hdnTbname_Click => "), [&] {
                         return distinctNames(m_session, m_target, tb);
                     }).valueOr({}));
    m_name->setCurrentIndex(-1);
}

template <typename T>
bool frmSearch::bound(const char* from, const char* to, Bounds<T>& out, const QString& caption) {
    for (const auto& [name, target] : {std::pair{from, &out.from}, std::pair{to, &out.to}}) {
        const QString text = combo(name)->currentText();
        bool ok = false;
        if constexpr (std::is_same_v<T, double>)
            ok = parseDecimalBound(QString(text).remove(QLatin1Char(',')), *target);
        else if constexpr (std::is_same_v<T, int>)
            ok = parseCountBound(text, *target);
        else
            ok = parseWholeBound(QString(text).remove(QLatin1Char(',')), *target);
        if (!ok) {
            m_session.dialogs().inform(SearchPanel::notANumberText(caption), QStringLiteral("확인"));
            combo(name)->setFocus();
            return false;
        }
    }
    return true;
}

std::optional<ListFilter> frmSearch::readOrTell() {
    ListFilter filter;
    DetailedSearch d;
    filter.tb = m_type->currentData().toString();
    filter.name = m_name->currentText().trimmed();
    if (m_region) {
        const RegionValues region = m_region->values();
        filter.addr1 = region.addr1;
        filter.addr2 = region.addr2;
        filter.addr3 = region.addr3;
    }
    d.lot = line("addr4")->text();
    d.lotMatch = TextMatch(m_lotMatch->checkedId());
    d.unit = line("addr5")->text();
    d.unitMatch = TextMatch(m_unitMatch->checkedId());
    d.box = m_target == ListKind::Own ? BoxChoice(m_box->checkedId()) : BoxChoice::All;
    const bool numbersOk = bound("m_m1", "m_m2", d.sale, QStringLiteral("매매금")) &&
                           bound("m_jb1", "m_jb2", d.lease, QStringLiteral("전세보증금")) &&
                           bound("m_b1", "m_b2", d.deposit, QStringLiteral("월세보증금")) &&
                           bound("m_w1", "m_w2", d.rent, QStringLiteral("월세")) &&
                           bound("m_hap1", "m_hap2", d.combined, QStringLiteral("합산금")) &&
                           bound("m_sg1", "m_sg2", d.takeover, QStringLiteral("실구입가")) &&
                           bound("m_ys1", "m_ys2", d.yield, QStringLiteral("연수익률")) &&
                           bound("pyung1", "pyung2", d.area, QStringLiteral("대지 / 평")) &&
                           bound("pyung_use1", "pyung_use2", d.usable, QStringLiteral("건물 / 실평")) &&
                           bound("floor1", "floor2", d.totalFloors, QStringLiteral("지상/총층수"));
    if (!numbersOk)
        return std::nullopt;
    Bounds<int> rooms;
    if (!bound("room1", "room2", rooms, QStringLiteral("방")))
        return std::nullopt;
    filter.roomsFrom = rooms.from;
    filter.roomsTo = rooms.to;
    if (!parseListingNumbers(line("txtTidx")->text(), filter.numbers)) {
        m_session.dialogs().inform(SearchPanel::badNumbersText(), QStringLiteral("확인"));
        return std::nullopt;
    }
    d.floors = combo("floor3")->currentText();
    d.floorsJoin = WordJoin(m_floorsJoin->checkedId());
    d.staff = combo("subid")->currentData().toString();
    d.progress = combo("ming")->currentText();
    d.intake = combo("jubsu")->currentText();
    d.brokerKind = combo("maemaepart")->currentText();
    d.form = line("maemultype")->text();
    d.remark = line("mbigo")->text();
    if (m_byDate->isChecked()) {
        d.dateColumn = DateColumn(m_dateColumn->currentIndex());
        d.dateFrom = m_dateFrom->date();
        d.dateTo = m_dateTo->date();
    }
    d.keywords = line("Keyword")->text();
    d.keywordsJoin = WordJoin(m_keywordsJoin->checkedId());
    if (m_target == ListKind::Own) {
        d.ownerName = line("uname")->text();
        d.ownerHome = line("uhome")->text();
        d.ownerFax = line("ufax")->text();
        d.ownerMobile = line("uhp")->text();
        d.ownerOffice = line("uoffice")->text();
        d.ownerMoney = line("umoney")->text();
        d.ownerRemark = line("ubigo")->text();
        d.ownerRemarkMatch = TextMatch(m_remarkMatch->checkedId());
        if (m_recent->isChecked()) {
            // the days of the list's colour rule, as the user set them
            const ColorRule rule = SettingsStore::ofUser(m_session).colorRule();
            filter.recentDays = rule.days.value_or(0);
            filter.recentBy = rule.date;
        }
    }
    filter.detailed = d;
    return filter;
}

void frmSearch::clear() {
    for (QLineEdit* box : findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(box->parentWidget()))
            box->clear();
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box == m_type || box->objectName() == QLatin1String("cboday") ||
            box->objectName().startsWith(QLatin1String("addr")))
            continue;
        box->setCurrentIndex(box->objectName() == QLatin1String("subid") ? 0 : -1);
        if (box->isEditable())
            box->clearEditText();
    }
    m_type->setCurrentIndex(0);
    if (m_region)
        m_region->setValues({});
    m_dateColumn->setCurrentIndex(0);
    m_dateFrom->setDate(m_session.clock().today());
    m_dateTo->setDate(m_session.clock().today());
    m_byDate->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_dateColumn, m_dateFrom, m_dateTo})
        w->setEnabled(false);
    m_recent->setChecked(false);
    m_box->button(int(BoxChoice::Active))->setChecked(m_target == ListKind::Own);
    m_lotMatch->button(int(TextMatch::Starts))->setChecked(true);
    m_unitMatch->button(int(TextMatch::Starts))->setChecked(true);
    m_remarkMatch->button(int(TextMatch::Contains))->setChecked(true);
    m_floorsJoin->button(int(WordJoin::Any))->setChecked(true);
    m_keywordsJoin->button(int(WordJoin::Any))->setChecked(true);
}

} // namespace teran
