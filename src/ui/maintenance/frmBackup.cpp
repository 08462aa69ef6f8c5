#include "frmBackup.h"

#include "core/listing/PropertyTypes.h"
#include "core/maintenance/BackupActions.h"
#include "core/session/Session.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace teran {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmBackup::frmBackup(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_period(new QButtonGroup(this))
    , m_dateColumn(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Text 데이터백업"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTypes());
    layout->addWidget(buildPeriod());
    layout->addWidget(buildFile());
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    QPushButton* run = button(this, "cmdBackUp", QStringLiteral("백업하기"));
    QPushButton* close = button(this, "cmdClose", QStringLiteral("닫기"));
    actions->addWidget(run);
    actions->addWidget(close);
    layout->addLayout(actions);
    connect(run, &QPushButton::clicked, this, [this] { cmdBackUp_Click(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    periodChosen(0);
}

QWidget* frmBackup::buildTypes() {
    auto* box = new QGroupBox(QStringLiteral("종목"), this);
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (const PropertyType& type : propertyTypes()) {
        auto* check = new QCheckBox(type.label, box);
        check->setObjectName(QStringLiteral("chkTB_%1").arg(i));
        check->setProperty("Tag", type.code);
        grid->addWidget(check, i / 5, i % 5);
        m_types << check;
        ++i;
    }
    auto* buttons = new QHBoxLayout;
    QPushButton* all = button(box, "cmdChk", QStringLiteral("전체선택"));
    QPushButton* none = button(box, "cmdClear", QStringLiteral("선택해제"));
    buttons->addStretch();
    buttons->addWidget(all);
    buttons->addWidget(none);
    grid->addLayout(buttons, i / 5 + 1, 0, 1, 5);
    connect(all, &QPushButton::clicked, this, &frmBackup::cmdChk_Click);
    connect(none, &QPushButton::clicked, this, &frmBackup::cmdClear_Click);
    return box;
}

QWidget* frmBackup::buildPeriod() {
    auto* box = new QGroupBox(QStringLiteral("기간"), this);
    auto* grid = new QGridLayout(box);
    const QStringList periods{QStringLiteral("전체기간"), QStringLiteral("년별"), QStringLiteral("월별"),
                              QStringLiteral("일별")};
    for (int i = 0; i < periods.size(); ++i) {
        auto* option = new QRadioButton(periods[i], box);
        option->setObjectName(QStringLiteral("optType_%1").arg(i));
        m_period->addButton(option, i);
        grid->addWidget(option, 0, i);
    }
    const QStringList columns{QStringLiteral("등록일"), QStringLiteral("수정일"), QStringLiteral("만기일")};
    for (int i = 0; i < columns.size(); ++i) {
        auto* option = new QRadioButton(columns[i], box);
        option->setObjectName(QStringLiteral("day_%1").arg(i));
        m_dateColumn->addButton(option, i);
        grid->addWidget(option, 1, i);
    }
    m_period->button(0)->setChecked(true);
    m_dateColumn->button(0)->setChecked(true);
    const QDate today = m_session.clock().now().date();
    m_from = new QDateEdit(today, box);
    m_to = new QDateEdit(today, box);
    m_from->setObjectName(QStringLiteral("dtpday1"));
    m_to->setObjectName(QStringLiteral("dtpday2"));
    for (QDateEdit* edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    auto* dates = new QHBoxLayout;
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("~"), box));
    dates->addWidget(m_to);
    dates->addStretch();
    grid->addLayout(dates, 2, 0, 1, 4);
    connect(m_period, &QButtonGroup::idClicked, this, &frmBackup::periodChosen);
    return box;
}

QWidget* frmBackup::buildFile() {
    auto* box = new QGroupBox(QStringLiteral("저장할 파일"), this);
    auto* row = new QHBoxLayout(box);
    m_path = new QLabel(box);
    m_path->setObjectName(QStringLiteral("SavePath"));
    m_path->setMinimumWidth(360);
    QPushButton* choose = button(box, "cmdPath", QStringLiteral("경로지정"));
    row->addWidget(m_path, 1);
    row->addWidget(choose);
    connect(choose, &QPushButton::clicked, this, &frmBackup::cmdPath_Click);
    return box;
}

// The whole period needs no dates and no date column.
void frmBackup::periodChosen(int index) {
    for (QAbstractButton* option : m_dateColumn->buttons())
        option->setEnabled(index != 0);
}

void frmBackup::cmdChk_Click() {
    for (QCheckBox* check : std::as_const(m_types))
        check->setChecked(true);
}

void frmBackup::cmdClear_Click() {
    for (QCheckBox* check : std::as_const(m_types))
        check->setChecked(false);
}

void frmBackup::cmdPath_Click() {
    const QString proposed = BackupActions(m_session).proposedTextFile();
    const QString chosen =
        m_session.dialogs().saveFileName(QString(), proposed, QStringLiteral("모든파일 (*.txt)"));
    m_path->setText(chosen);
}

listingText::ExportChoice frmBackup::choice() const {
    listingText::ExportChoice c;
    for (QCheckBox* check : m_types)
        if (check->isChecked())
            c.types << check->property("Tag").toString();
    c.period = static_cast<listingText::Period>(m_period->checkedId());
    c.column = static_cast<listingText::DateColumn>(m_dateColumn->checkedId());
    c.from = m_from->date();
    c.to = m_to->date();
    return c;
}

QString frmBackup::savePath() const {
    return m_path->text();
}

bool frmBackup::cmdBackUp_Click() {
    const listingText::ExportChoice c = choice();
    const bool written = BackupActions(m_session).exportText(c, savePath());
    if (c.types.isEmpty())
        findChild<QPushButton*>(QStringLiteral("cmdChk"))->setFocus();
    else if (savePath().isEmpty())
        findChild<QPushButton*>(QStringLiteral("cmdPath"))->setFocus();
    if (written)
        accept();
    return written;
}

} // namespace teran
