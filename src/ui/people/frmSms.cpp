#include "frmSms.h"

#include "core/contracts/CashBalance.h"
#include "core/people/OfficePhone.h"
#include "core/people/SmsSender.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace teran {

namespace {

QLineEdit* line(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

} // namespace

frmSms::frmSms(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session) {
    setObjectName(QStringLiteral("frmSms"));
    setWindowTitle(SmsTexts::windowTitle());
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);
    m_title = new QLabel(SmsTexts::windowTitle(), this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    left->addWidget(m_title);
    auto* modes = new QHBoxLayout;
    m_mode = new QButtonGroup(this);
    const QStringList captions{QStringLiteral("개인"), QStringLiteral("그룹")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(captions[i], this);
        b->setObjectName(QStringLiteral("smstype_%1").arg(i));
        m_mode->addButton(b, i);
        modes->addWidget(b);
    }
    left->addLayout(modes);
    auto* numbers = new QGridLayout;
    m_sendtel = line(this, "sendtel");
    m_callback = line(this, "txtCallBack");
    m_callback->setText(digitsOfNumber(session.state().AuthConfig.phone));
    numbers->addWidget(new QLabel(QStringLiteral("받는번호"), this), 0, 0);
    numbers->addWidget(m_sendtel, 0, 1);
    numbers->addWidget(new QLabel(QStringLiteral("회신번호"), this), 1, 0);
    numbers->addWidget(m_callback, 1, 1);
    left->addLayout(numbers);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("sendMsg"));
    m_text->setMaximumHeight(110);
    left->addWidget(m_text);
    m_bytes = new QLabel(QStringLiteral("0"), this);
    m_bytes->setObjectName(QStringLiteral("lblByte"));
    auto* sendRow = new QHBoxLayout;
    sendRow->addWidget(m_bytes);
    sendRow->addWidget(new QLabel(QStringLiteral("/ 80 Byte"), this));
    sendRow->addStretch();
    auto* send = namedButton(this, QStringLiteral("sendlbl"), QStringLiteral("보내기"), EnterKey::Ignored);
    auto* reset =
        namedButton(this, QStringLiteral("resetlbl"), QStringLiteral("다시쓰기"), EnterKey::Ignored);
    sendRow->addWidget(send);
    sendRow->addWidget(reset);
    left->addLayout(sendRow);
    auto* cashRow = new QGridLayout;
    m_cash = named(new QLabel(this), "lblCash");
    m_cost = named(new QLabel(this), "lblCost");
    cashRow->addWidget(new QLabel(QStringLiteral("보유 캐쉬"), this), 0, 0);
    cashRow->addWidget(m_cash, 0, 1);
    cashRow->addWidget(new QLabel(QStringLiteral("전송 비용"), this), 1, 0);
    cashRow->addWidget(m_cost, 1, 1);
    cashRow->setColumnStretch(1, 1);
    left->addLayout(cashRow);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("txtMsg"));
    m_log->setReadOnly(true);
    left->addWidget(m_log, 1);
    auto* close = namedButton(this, QStringLiteral("closebt"), QStringLiteral("닫  기"), EnterKey::Ignored);
    left->addWidget(close);

    m_groupFrame = new QGroupBox(QStringLiteral("그룹 전송"), this);
    m_groupFrame->setObjectName(QStringLiteral("fraGroup"));
    auto* group = new QVBoxLayout(m_groupFrame);
    auto* sources = new QToolBar(m_groupFrame);
    sources->setObjectName(QStringLiteral("Toolbar1"));
    for (SmsSource source : {SmsSource::Sellers, SmsSource::Buyers, SmsSource::Cards, SmsSource::Customers}) {
        QAction* a = sources->addAction(smsSourceCaption(source));
        a->setObjectName(smsSourceKey(source));
        connect(a, &QAction::triggered, this, [this, source] { showSource(source); });
    }
    group->addWidget(sources);
    auto* searchRow = new QHBoxLayout;
    m_search = line(m_groupFrame, "txtsuch");
    searchRow->addWidget(m_search);
    auto* search =
        namedButton(m_groupFrame, QStringLiteral("cmdSuch"), QStringLiteral("이름검색"), EnterKey::Ignored);
    searchRow->addWidget(search);
    group->addLayout(searchRow);
    m_people = new QTreeWidget(m_groupFrame);
    m_people->setObjectName(QStringLiteral("lvMem"));
    m_people->setHeaderLabels({QStringLiteral("이름"), QStringLiteral("핸드폰번호"), QStringLiteral("주소")});
    m_people->setRootIsDecorated(false);
    group->addWidget(m_people, 1);
    auto* toGroup = namedButton(m_groupFrame, QStringLiteral("cmdGroup"),
                                QStringLiteral("선택한 사람 추가 ▼"), EnterKey::Ignored);
    group->addWidget(toGroup);
    m_list = new QListWidget(m_groupFrame);
    m_list->setObjectName(QStringLiteral("sendList"));
    group->addWidget(m_list, 1);
    auto* addRow = new QHBoxLayout;
    m_add = line(m_groupFrame, "txtadd");
    addRow->addWidget(m_add);
    auto* add =
        namedButton(m_groupFrame, QStringLiteral("cmdAdd"), QStringLiteral("추가"), EnterKey::Ignored);
    auto* del =
        namedButton(m_groupFrame, QStringLiteral("cmdDel"), QStringLiteral("삭제"), EnterKey::Ignored);
    auto* clear =
        namedButton(m_groupFrame, QStringLiteral("cmddel2"), QStringLiteral("전체삭제"), EnterKey::Ignored);
    for (QPushButton* b : {add, del, clear})
        addRow->addWidget(b);
    group->addLayout(addRow);
    m_count = new QLabel(SmsTexts::count(0), m_groupFrame);
    m_count->setObjectName(QStringLiteral("cntlbl"));
    group->addWidget(m_count);
    columns->addWidget(m_groupFrame, 1);
    // Message samples beside a single message; a click puts one in the text.
    m_samples = new QListWidget(this);
    m_samples->setObjectName(QStringLiteral("Web"));
    m_samples->setWordWrap(true);
    m_samples->addItems(SmsTexts::samples());
    connect(m_samples, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_text->setPlainText(item->text()); });
    columns->addWidget(m_samples, 1);

    connect(m_mode, &QButtonGroup::idClicked, this, [this](int id) { chooseMode(id == 1); });
    connect(m_text, &QPlainTextEdit::textChanged, this, &frmSms::limitText);
    connect(m_text, &QPlainTextEdit::textChanged, this, &frmSms::updateCost);
    connect(m_sendtel, &QLineEdit::textChanged, this, &frmSms::updateCost);
    connect(send, &QPushButton::clicked, this, &frmSms::sendlbl_Click);
    connect(reset, &QPushButton::clicked, m_text, &QPlainTextEdit::clear);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(search, &QPushButton::clicked, this, &frmSms::cmdSuch_Click);
    connect(toGroup, &QPushButton::clicked, this, &frmSms::cmdGroup_Click);
    connect(add, &QPushButton::clicked, this, &frmSms::cmdAdd_Click);
    connect(del, &QPushButton::clicked, this, &frmSms::cmdDel_Click);
    connect(clear, &QPushButton::clicked, this, &frmSms::cmddel2_Click);
    chooseMode(false);
    readBalance();
    resize(900, 560);
}

void frmSms::setPerson(const QString& name, const QString& mobile) {
    m_title->setText(name);
    m_sendtel->setText(QString(mobile).remove(QLatin1Char('-')));
    chooseMode(false);
}

void frmSms::setGroup(const QStringList& numbers) {
    for (const QString& n : numbers)
        if (const std::optional<QString> number = groupNumber(group(), n))
            m_list->addItem(*number);
    updateCount();
    chooseMode(true);
}

bool frmSms::isGroupMode() const {
    return m_mode->checkedId() == 1;
}

QStringList frmSms::group() const {
    QStringList numbers;
    for (int i = 0; i < m_list->count(); ++i)
        numbers << m_list->item(i)->text();
    return numbers;
}

QString frmSms::logText() const {
    return m_log->toPlainText();
}

void frmSms::chooseMode(bool group) {
    m_mode->button(group ? 1 : 0)->setChecked(true);
    m_sendtel->setEnabled(!group);
    m_count->setVisible(group);
    m_groupFrame->setVisible(group);
    m_samples->setVisible(!group);
    updateCost();
}

void frmSms::limitText() {
    const QString text = m_text->toPlainText();
    const int bytes = smsByteLength(text);
    m_bytes->setText(QString::number(bytes));
    if (bytes <= kSmsTextBytes)
        return;
    m_session.dialogs().critical(SmsTexts::tooLong(), SmsTexts::tooLongTitle());
    const QSignalBlocker quiet(m_text);
    m_text->setPlainText(cutToBytes(text, kSmsTextBytes));
    m_text->moveCursor(QTextCursor::End);
    m_bytes->setText(QString::number(smsByteLength(m_text->toPlainText())));
}

void frmSms::appendLog(const QString& line) {
    m_log->appendPlainText(line);
    m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
}

// Read when the window opens and after each charged send; the session passes it on to the
// status bar of the frame window.
void frmSms::readBalance() {
    const std::optional<qint64> balance = CashBalance(m_session).balance(m_session.state().OfficeMainId);
    m_balance = balance.value_or(0);
    m_cash->setText(balance ? CashBalance::panelText(*balance) : SmsTexts::balanceUnknown());
    updateCost();
}

void frmSms::updateCount() {
    m_count->setText(SmsTexts::count(m_list->count()));
    updateCost();
}

void frmSms::updateCost() {
    m_cost->setText(SmsTexts::cost(smsMessageCount(request()), m_balance));
}

SmsRequest frmSms::request() const {
    return {isGroupMode(), m_sendtel->text(), group(), m_callback->text(), m_text->toPlainText(), m_balance};
}

void frmSms::showSource(SmsSource source) {
    m_source = source;
    m_search->clear();
    m_people->clear();
    attemptStore(m_session, QStringLiteral("frmSms Toolbar1_ButtonClick => "), [&] {
        for (const SmsPerson& p : smsRecipients(m_session, source, QString())) {
            auto* item = new QTreeWidgetItem(m_people, {p.name, p.mobile, p.address});
            item->setCheckState(0, Qt::Unchecked);
        }
    });
}

void frmSms::cmdSuch_Click() {
    const QString name = m_search->text().trimmed();
    if (name.isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("검색할 이름을 적어주세요"), QStringLiteral("이름검색"));
        return;
    }
    m_people->clear();
    attemptStore(m_session, QStringLiteral("frmSms cmdSuch_Click => "), [&] {
        for (const SmsPerson& p : smsRecipients(m_session, m_source, name)) {
            auto* item = new QTreeWidgetItem(m_people, {p.name, p.mobile, p.address});
            item->setCheckState(0, Qt::Unchecked);
        }
    });
}

void frmSms::cmdAdd_Click() {
    const std::optional<QString> number = groupNumber(group(), m_add->text());
    if (!number) {
        m_session.dialogs().inform(QStringLiteral("[ ") + m_add->text().trimmed() +
                                       QStringLiteral(" ] 전화번호가 중복등록되었거나 잘못되었습니다."),
                                   QStringLiteral("핸드폰번호오류"));
        return;
    }
    m_list->addItem(*number);
    m_add->clear();
    updateCount();
}

void frmSms::cmdGroup_Click() {
    QStringList refused;
    bool any = false;
    for (int i = 0; i < m_people->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_people->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        any = true;
        item->setCheckState(0, Qt::Unchecked);
        if (const std::optional<QString> number = groupNumber(group(), item->text(1)))
            m_list->addItem(*number);
        else
            refused << item->text(0);
    }
    if (!any) {
        m_session.dialogs().inform(QStringLiteral("선택된 사람이 없습니다."), QStringLiteral("확인"));
        return;
    }
    updateCount();
    if (!refused.isEmpty())
        m_session.dialogs().inform(refusedPeopleText(refused), QStringLiteral("핸드폰번호오류"));
}

void frmSms::cmdDel_Click() {
    delete m_list->currentItem();
    updateCount();
}

void frmSms::cmddel2_Click() {
    if (!m_session.dialogs().askYesNo(QStringLiteral("정말 삭제하시겠습니까 ?"), QStringLiteral("그룹삭제")))
        return;
    m_list->clear();
    updateCount();
}

void frmSms::setMessage(const QString& text) {
    m_text->setPlainText(text);
}

bool frmSms::sendlbl_Click() {
    const SmsRequest request = this->request();
    if (const std::optional<SmsProblem> problem = checkSms(request)) {
        if (problem->cash) {
            // Yes opens the vendor's page where the office charges its cash.
            const QUrl page = m_session.config().webPage(QStringLiteral("cash_list"));
            if (m_session.dialogs().askYesNo(problem->text, problem->title) && page.isValid())
                m_session.outlets().openUrl(page);
            return false;
        }
        m_session.dialogs().inform(problem->text, problem->title);
        if (QWidget* box = findChild<QWidget*>(problem->field))
            box->setFocus();
        return false;
    }
    std::optional<quint16> port;
    attemptStore(m_session, QStringLiteral("frmSms sendlbl_Click => "),
                 [&] { port = smsGatewayPort(m_session); });
    if (!port) {
        m_session.dialogs().critical(QStringLiteral("SMS 서버의 주소를 읽지 못했습니다."),
                                     QStringLiteral("접속오류"));
        return false;
    }
    SmsSender sender(smsLinkOf(m_session.config(), *port),
                     {m_session.config().smsUser, m_session.config().smsPassword});
    sender.setLog([this](const QString& line) { appendLog(line); });
    const SmsBatch batch{request.group ? request.list : QStringList{digitsOfNumber(request.receiver)},
                         request.callback, request.text};
    const SmsBatchResult result = sender.send(batch);
    if (result.results.isEmpty() && !result.error.isEmpty()) {
        m_session.dialogs().critical(result.error, QStringLiteral("연결상태"));
        return false;
    }
    const int delivered = result.delivered();
    if (std::any_of(result.results.cbegin(), result.results.cend(),
                    [](const SmsResult& r) { return r.code == smsCode::ShortBalance; }))
        m_session.dialogs().message(SmsTexts::shortBalance(), SmsTexts::failedTitle(), DialogIcon::Warning,
                                    DialogButtons::Ok);
    if (delivered == 0) {
        m_session.dialogs().inform(SmsTexts::failed(), SmsTexts::failedTitle());
        return false;
    }
    attemptStore(m_session, QStringLiteral("frmSms mem_cash => "),
                 [&] { chargeSmsBatch(m_session, delivered, request.text); });
    keepOfficePhone(m_session, request.callback);
    m_session.dialogs().inform(SmsTexts::done(int(result.results.size()), delivered), SmsTexts::doneTitle());
    if (m_delivered)
        m_delivered(result.deliveredNumbers());
    readBalance();
    if (!request.group) {
        m_text->clear();
        m_sendtel->clear();
    }
    return true;
}

} // namespace teran
