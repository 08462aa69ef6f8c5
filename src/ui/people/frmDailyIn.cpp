#include "frmDailyIn.h"

#include "ui/session/EditGuard.h"

#include "core/listings/ListCellFormat.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace teran {

namespace {

QDateEdit* dayBox(QWidget* parent, const char* name) {
    auto* box = named(new QDateEdit(parent), name);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return box;
}

QComboBox* choiceBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

// An amount in won: digits with separators, shown "#,##0" once typed.
QLineEdit* wonBox(QWidget* parent, const char* name) {
    auto* box = named(new QLineEdit(parent), name);
    box->setAlignment(Qt::AlignRight);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]{0,24}")), box));
    QObject::connect(box, &QLineEdit::editingFinished, box, [box] {
        if (const std::optional<qint64> won = typedWon(box->text()); won && !box->text().isEmpty())
            box->setText(formatAmount(*won));
    });
    return box;
}

QString caption(bool money, bool stored) {
    if (money)
        return stored ? QStringLiteral("수입/지출 - 수정") : QStringLiteral("수입/지출 - 등록");
    return stored ? QStringLiteral("스케쥴 - 수정") : QStringLiteral("스케쥴 - 등록");
}

} // namespace

frmDailyIn::frmDailyIn(Session& session, bool money, int number, const QDate& day, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_money(money) {
    setObjectName(QStringLiteral("frmDailyIn"));
    auto* column = new QVBoxLayout(this);
    m_action = named(new QLineEdit(this), "action");
    m_action->hide();
    QGroupBox* schedule = buildSchedule();
    QGroupBox* diary = buildMoney();
    column->addWidget(schedule);
    column->addWidget(diary);
    schedule->setVisible(!money);
    diary->setVisible(money);
    auto* close = named(new QPushButton(QStringLiteral("닫  기"), this), "cmdClose");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(close, 0, Qt::AlignRight);
    m_number = number;
    if (money)
        loadMoney(day);
    else
        loadAppointment(day);
    m_guard = std::make_unique<EditGuard>(m_session.dialogs(), caption(m_money, m_number > 0), this,
                                          [this] { return m_money ? cmdSaveM_Click() : cmdSaveS_Click(); });
    m_guard->markClean();
}

frmDailyIn::~frmDailyIn() = default;

void frmDailyIn::reject() {
    if (m_guard->allowLeave())
        QDialog::reject();
}

QString frmDailyIn::action() const {
    return m_action->text();
}

void frmDailyIn::setMode(int number) {
    m_number = number;
    m_action->setText((m_money ? QStringLiteral("money") : QStringLiteral("daily")) +
                      (number > 0 ? QStringLiteral("2") : QString()));
    setWindowTitle(caption(m_money, number > 0));
}

QGroupBox* frmDailyIn::buildSchedule() {
    auto* frame = named(new QGroupBox(QStringLiteral("스케쥴"), this), "fraS");
    auto* form = new QFormLayout(frame);
    m_dayS = dayBox(frame, "dayS");
    m_timeS = named(new QLineEdit(frame), "timeS");
    m_kind = choiceBox(frame, "kind",
                       {QStringLiteral("약속"), QStringLiteral("상담"), QStringLiteral("계약"),
                        QStringLiteral("잔금"), QStringLiteral("기타")});
    m_state = choiceBox(
        frame, "txting",
        {QStringLiteral("예정"), QStringLiteral("완료"), QStringLiteral("연기"), QStringLiteral("취소")});
    m_name = named(new QLineEdit(frame), "txtName");
    m_company = named(new QLineEdit(frame), "company");
    m_place = named(new QLineEdit(frame), "jangso");
    m_remarksS = named(new QPlainTextEdit(frame), "bigoS");
    m_remind = named(new QLineEdit(frame), "alim");
    m_remind->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_remind));
    form->addRow(QStringLiteral("일자"), m_dayS);
    form->addRow(QStringLiteral("시간"), m_timeS);
    form->addRow(QStringLiteral("분류"), m_kind);
    form->addRow(QStringLiteral("상황"), m_state);
    form->addRow(QStringLiteral("이름"), m_name);
    form->addRow(QStringLiteral("회사명"), m_company);
    form->addRow(QStringLiteral("장소"), m_place);
    form->addRow(QStringLiteral("비고"), m_remarksS);
    form->addRow(QStringLiteral("알림 (며칠 전)"), m_remind);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = addButton(buttons, frame, "cmdSaveS", QStringLiteral("저  장"), EnterKey::Ignored);
    auto* del = addButton(buttons, frame, "cmdDelS", QStringLiteral("삭  제"), EnterKey::Ignored);
    form->addRow(buttons);
    connect(save, &QPushButton::clicked, this, &frmDailyIn::cmdSaveS_Click);
    connect(del, &QPushButton::clicked, this, &frmDailyIn::cmdDelS_Click);
    return frame;
}

QGroupBox* frmDailyIn::buildMoney() {
    auto* frame = named(new QGroupBox(QStringLiteral("수입/지출"), this), "fraM");
    auto* form = new QFormLayout(frame);
    m_dayM = dayBox(frame, "dayM");
    m_timeM = named(new QLineEdit(frame), "timeM");
    m_purpose = choiceBox(frame, "groupin", {});
    m_income = wonBox(frame, "suip");
    m_incomeText = named(new QLineEdit(frame), "suiptxt");
    m_expense = wonBox(frame, "jichul");
    m_expenseText = named(new QLineEdit(frame), "jichultxt");
    m_remarksM = named(new QPlainTextEdit(frame), "bigoM");
    form->addRow(QStringLiteral("일자"), m_dayM);
    form->addRow(QStringLiteral("시간"), m_timeM);
    form->addRow(QStringLiteral("용도"), m_purpose);
    form->addRow(QStringLiteral("수입 (원)"), m_income);
    form->addRow(QStringLiteral("수입내역"), m_incomeText);
    form->addRow(QStringLiteral("지출 (원)"), m_expense);
    form->addRow(QStringLiteral("지출내역"), m_expenseText);
    form->addRow(QStringLiteral("비고"), m_remarksM);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = addButton(buttons, frame, "cmdSaveM", QStringLiteral("저  장"), EnterKey::Ignored);
    auto* del = addButton(buttons, frame, "cmdDelM", QStringLiteral("삭  제"), EnterKey::Ignored);
    form->addRow(buttons);
    connect(save, &QPushButton::clicked, this, &frmDailyIn::cmdSaveM_Click);
    connect(del, &QPushButton::clicked, this, &frmDailyIn::cmdDelM_Click);
    return frame;
}

void frmDailyIn::loadAppointment(const QDate& day) {
    std::optional<Appointment> a;
    attempt(QStringLiteral("Form_Load"), [&] {
        if (m_number > 0)
            a = AppointmentBook(m_session).load(m_number);
    });
    setMode(a ? m_number : 0);
    if (!a) {
        m_dayS->setDate(day);
        return;
    }
    m_dayS->setDate(a->day.isValid() ? a->day : day);
    m_timeS->setText(a->time);
    m_kind->setCurrentText(a->kind);
    m_state->setCurrentText(a->state);
    m_name->setText(a->name);
    m_company->setText(a->company);
    m_place->setText(a->place);
    m_remarksS->setPlainText(a->remarks);
    m_remind->setText(a->remindDaysBefore() > 0 ? QString::number(a->remindDaysBefore()) : QString());
}

void frmDailyIn::loadMoney(const QDate& day) {
    std::optional<MoneyLine> m;
    attempt(QStringLiteral("Form_Load"), [&] {
        MoneyDiary diary(m_session);
        m_purpose->addItems(diary.purposes());
        m_purpose->setCurrentIndex(-1);
        if (m_number > 0)
            m = diary.load(m_number);
    });
    setMode(m ? m_number : 0);
    if (!m) {
        m_dayM->setDate(day);
        return;
    }
    m_dayM->setDate(m->day.isValid() ? m->day : day);
    m_timeM->setText(m->time);
    m_purpose->setCurrentText(m->purpose);
    m_income->setText(formatAmount(m->income));
    m_incomeText->setText(m->incomeText);
    m_expense->setText(formatAmount(m->expense));
    m_expenseText->setText(m->expenseText);
    m_remarksM->setPlainText(m->remarks);
}

bool frmDailyIn::cmdSaveS_Click() {
    if (m_name->text().trimmed().isEmpty()) {
        m_session.dialogs().inform(DiaryTexts::nameMissing(), DiaryTexts::scheduleBoxTitle());
        m_name->setFocus();
        return false;
    }
    Appointment a{.number = m_number,
                  .day = m_dayS->date(),
                  .time = m_timeS->text(),
                  .kind = m_kind->currentText(),
                  .state = m_state->currentText(),
                  .name = m_name->text(),
                  .company = m_company->text(),
                  .place = m_place->text(),
                  .remarks = m_remarksS->toPlainText(),
                  .remindFrom = reminderStart(m_dayS->date(), m_remind->text())};
    const auto done = attempt(QStringLiteral("cmdSaveS_Click"), [&] { AppointmentBook(m_session).save(a); });
    if (!done)
        return false;
    setMode(a.number);
    m_guard->markClean();
    m_session.dialogs().inform(DiaryTexts::saved(), DiaryTexts::savedTitle());
    Q_EMIT entryChanged(false);
    return true;
}

bool frmDailyIn::cmdSaveM_Click() {
    const std::optional<qint64> income = typedWon(m_income->text());
    const std::optional<qint64> expense = typedWon(m_expense->text());
    if (!income || !expense) {
        m_session.dialogs().inform(QStringLiteral("금액을 숫자로 입력해주세요"), QStringLiteral("수입/지출"));
        (income ? m_expense : m_income)->setFocus();
        return false;
    }
    MoneyLine m{m_number,
                m_purpose->currentText().trimmed(),
                m_dayM->date(),
                m_timeM->text(),
                *income,
                m_incomeText->text(),
                *expense,
                m_expenseText->text(),
                m_remarksM->toPlainText()};
    const auto done = attempt(QStringLiteral("cmdSaveM_Click"), [&] { MoneyDiary(m_session).save(m); });
    if (!done)
        return false;
    setMode(m.number);
    m_guard->markClean();
    m_session.dialogs().inform(DiaryTexts::saved(), DiaryTexts::savedTitle());
    Q_EMIT entryChanged(true);
    return true;
}

bool frmDailyIn::cmdDelS_Click() {
    return remove(QStringLiteral("cmdDelS_Click"));
}

bool frmDailyIn::cmdDelM_Click() {
    return remove(QStringLiteral("cmdDelM_Click"));
}

// A new entry has nothing stored to delete; a stored one goes after the question.
bool frmDailyIn::remove(const QString& routine) {
    if (m_number <= 0 || !m_session.dialogs().askYesNo(DiaryTexts::askDelete(), DiaryTexts::deleteTitle()))
        return false;
    const auto done = attempt(routine, [&] {
        if (m_money)
            MoneyDiary(m_session).remove(m_number);
        else
            AppointmentBook(m_session).remove(m_number);
    });
    if (!done)
        return false;
    Q_EMIT entryChanged(m_money);
    accept();
    return true;
}

void frmDailyIn::storeFailed(const StoreFailure& failure) {
    showStoreFailure(m_session, failure, StoreKind::Listing);
}

} // namespace teran
