#include "frmGaeyakRec.h"

#include "ui/session/ReportPreview.h"

#include "ui/session/EditGuard.h"

#include <QCloseEvent>

#include "ui/widgets/Named.h"

#include "core/listings/ListCellFormat.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace teran {

namespace {

qint64 wonOf(const QString& text) {
    return QString(text).remove(QLatin1Char(',')).trimmed().toLongLong();
}

} // namespace

frmGaeyakRec::frmGaeyakRec(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmGaeyakRec"));
    setWindowTitle(QStringLiteral("영수증"));
    auto* column = new QVBoxLayout(this);
    auto* kinds = new QHBoxLayout;
    m_option = new QButtonGroup(this);
    const QStringList options{QStringLiteral("부동산영수증"), QStringLiteral("일반영수증")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(options[i], this);
        b->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_option->addButton(b, i);
        kinds->addWidget(b);
    }
    m_option->button(0)->setChecked(true);
    column->addLayout(kinds);
    auto* form = new QFormLayout;
    const auto box = [this, form](const char* name, const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        form->addRow(caption, edit);
        return edit;
    };
    m_sn = box("txtSn", QStringLiteral("영수증번호"));
    m_sn->setReadOnly(true);
    m_name = box("txtName", QStringLiteral("매수인 성명"));
    m_money = box("txtMoney", QStringLiteral("금액 (한글)"));
    m_money2 = box("txtMoney2", QStringLiteral("금액 (원)"));
    m_shop = box("txtShop", QStringLiteral("부동산의 표시"));
    m_type = box("txtType", QStringLiteral("영수내용"));
    m_addr = box("txtAddr", QStringLiteral("발행인 주소"));
    m_name2 = box("txtName2", QStringLiteral("발행인 성명"));
    m_day = new QDateEdit(this);
    m_day->setObjectName(QStringLiteral("dtpDay"));
    m_day->setCalendarPopup(true);
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    form->addRow(QStringLiteral("발행일"), m_day);
    column->addLayout(form);
    m_flagMod = new QLineEdit(this);
    m_flagMod->setObjectName(QStringLiteral("FlagMod"));
    m_flagMod->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [this, buttons](const char* name, const QString& caption) {
        return addButton(buttons, this, name, caption);
    };
    connect(button("cmdSave", QStringLiteral("저  장")), &QPushButton::clicked, this,
            &frmGaeyakRec::cmdSave_Click);
    connect(button("cmdPrint", QStringLiteral("인  쇄")), &QPushButton::clicked, this,
            &frmGaeyakRec::cmdPrint_Click);
    connect(button("cmdClose", QStringLiteral("닫  기")), &QPushButton::clicked, this, &QWidget::close);
    column->addLayout(buttons);
    m_day->setDate(session.clock().today());
    attemptStore(m_session, QStringLiteral("Form_Load"),
                 [&] { m_sn->setText(QString::number(ReceiptStore(session).expectedNumber())); });
    resize(520, 380);
    m_guard = std::make_unique<EditGuard>(m_session.dialogs(), QStringLiteral("영수증"), this,
                                          [this] { return cmdSave_Click(); });
    m_guard->markClean();
}

frmGaeyakRec::~frmGaeyakRec() = default;

void frmGaeyakRec::closeEvent(QCloseEvent* event) {
    if (m_guard->allowLeave())
        event->accept();
    else
        event->ignore();
}

void frmGaeyakRec::fillFromContract(const Receipt& receipt) {
    m_receipt = receipt;
    showReceipt(receipt);
}

bool frmGaeyakRec::loadReceipt(int number) {
    const auto stored = attemptStore(m_session, logLabel(QStringLiteral("FlagMod_Change")),
                                     [&] { return ReceiptStore(m_session).load(number); });
    if (!stored) {
        m_session.dialogs().critical(stored.failureText());
        return false;
    }
    if (!*stored)
        return false;
    m_receipt = **stored;
    m_flagMod->setText(QString::number(number));
    showReceipt(m_receipt);
    m_sn->setText(QString::number(number));
    m_guard->markClean();
    return true;
}

void frmGaeyakRec::showReceipt(const Receipt& r) {
    m_option->button(r.option == Receipt::General ? 1 : 0)->setChecked(true);
    m_name->setText(r.name);
    m_money->setText(r.moneyWords);
    m_money2->setText(formatAmount(r.won));
    m_shop->setText(r.shop);
    m_type->setText(r.type);
    m_addr->setText(r.addr);
    m_name2->setText(r.name2);
    if (r.today.isValid())
        m_day->setDate(r.today);
    m_guard->markClean(); // shown as given: nothing typed yet
}

Receipt frmGaeyakRec::current() const {
    Receipt r = m_receipt;
    r.option = m_option->checkedId() == 1 ? Receipt::General : Receipt::Property;
    r.name = m_name->text().trimmed();
    r.moneyWords = m_money->text().trimmed();
    r.won = wonOf(m_money2->text());
    r.shop = m_shop->text().trimmed();
    r.type = m_type->text().trimmed();
    r.addr = m_addr->text().trimmed();
    r.name2 = m_name2->text().trimmed();
    r.today = m_day->date();
    return r;
}

bool frmGaeyakRec::refusedForAmount(const Receipt& r, const QString& title) {
    if (r.hasAmount())
        return false;
    m_session.dialogs().inform(ReceiptTexts::noAmount(), title);
    m_money2->setFocus();
    return true;
}

bool frmGaeyakRec::cmdSave_Click() {
    Receipt r = current();
    if (refusedForAmount(r, ReceiptTexts::savedTitle()))
        return false;
    const QString label = logLabel(QStringLiteral("cmdSave_Click"));
    ReceiptStore store(m_session);
    const auto issued = attemptStore(m_session, label, [&] {
        return r.number == 0 && r.fromContract() && r.tidx > 0 && store.issuedFor(r.tidx, r.type);
    });
    if (issued && *issued &&
        !m_session.dialogs().askYesNo(ReceiptTexts::askAgain(r.type), ReceiptTexts::askTitle()))
        return false;
    const auto saved = issued ? attemptStore(m_session, label, [&] { store.save(r); }) : issued;
    if (!saved) {
        m_session.dialogs().critical(saved.failureText(), ReceiptTexts::savedTitle());
        return false;
    }
    m_receipt = r;
    m_flagMod->setText(QString::number(r.number));
    m_sn->setText(QString::number(r.number));
    m_guard->markClean();
    m_session.dialogs().inform(ReceiptTexts::saved(), ReceiptTexts::savedTitle());
    return true;
}

void frmGaeyakRec::cmdPrint_Click() {
    Receipt r = current();
    if (refusedForAmount(r, ReceiptTexts::savedTitle()))
        return;
    if (r.number == 0)
        r.number = m_sn->text().toInt();
    ReportPreview::hand(
        m_session, receiptDocument(r, m_session.state().AuthConfig, m_session.config().webBaseUrl), this);
    m_session.dialogs().inform(ReceiptTexts::printed(), ReceiptTexts::printedTitle());
}

QString frmGaeyakRec::logLabel(const QString& routine) const {
    return QStringLiteral("영수증 ") + routine + QStringLiteral(" => ");
}

} // namespace teran
