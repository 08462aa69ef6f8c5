#include "frmFamily.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/Named.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

const QString kNew = QStringLiteral("등   록");
const QString kEdit = QStringLiteral("수   정");

QString phone(QLineEdit* const (&parts)[3]) {
    QStringList typed;
    for (QLineEdit* part : parts)
        typed << part->text().trimmed();
    return typed.join(QString()).isEmpty() ? QString() : typed.join(QLatin1Char('-'));
}

void setPhone(QLineEdit* const (&parts)[3], const QString& whole) {
    const QStringList split = whole.split(QLatin1Char('-'));
    for (int i = 0; i < 3; ++i)
        parts[i]->setText(i < split.size() ? split.at(i) : QString());
}

} // namespace

frmFamily::frmFamily(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmFamily"));
    setWindowTitle(QStringLiteral("직원현황"));
    auto* column = new QVBoxLayout(this);
    m_list = named(new QTreeWidget(this), "lvFamily");
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setSortingEnabled(true);
    m_list->setHeaderLabels({QStringLiteral("번호"), QStringLiteral("입사일"), QStringLiteral("이름"),
                             QStringLiteral("인터넷이름"), QStringLiteral("집전화"), QStringLiteral("핸드폰"),
                             QStringLiteral("팩스"), QStringLiteral("이메일"), QStringLiteral("주민번호"),
                             QStringLiteral("주소"), QStringLiteral("상태")});
    column->addWidget(m_list, 1);

    m_panel = named(new QGroupBox(QStringLiteral("직원정보"), this), "fraMem");
    auto* form = new QFormLayout(m_panel);
    const auto line = [this](const char* name) { return named(new QLineEdit(m_panel), name); };
    m_id = line("memID");
    auto* check = named(new QPushButton(QStringLiteral("아이디검사"), m_panel), "IDck");
    m_idNote = named(new QLabel(m_panel), "lblIdCheck");
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(m_id);
    idRow->addWidget(check);
    idRow->addWidget(m_idNote, 1);
    form->addRow(QStringLiteral("아이디"), idRow);
    m_password = line("memPWD");
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("비밀번호"), m_password);
    m_name = line("memName");
    form->addRow(QStringLiteral("이름"), m_name);
    m_showname = line("showname");
    form->addRow(QStringLiteral("인터넷이름"), m_showname);
    m_jumin = line("jumin");
    m_jumin->setInputMask(QStringLiteral("999999-9999999;_"));
    form->addRow(QStringLiteral("주민번호"), m_jumin);
    m_startday = line("startday");
    m_startday->setInputMask(QStringLiteral("9999-99-99;_"));
    form->addRow(QStringLiteral("입사일"), m_startday);
    auto* address = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_addr[i] = named(new QLineEdit(m_panel), QStringLiteral("addr%1").arg(i + 1).toLatin1().constData());
        address->addWidget(m_addr[i]);
    }
    form->addRow(QStringLiteral("주소"), address);
    const auto phoneRow = [&](const char* prefix, QLineEdit*(&parts)[3], const QString& caption) {
        auto* row = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            parts[i] =
                named(new QLineEdit(m_panel),
                      QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i + 1).toLatin1().constData());
            row->addWidget(parts[i]);
        }
        form->addRow(caption, row);
    };
    phoneRow("hom", m_hom, QStringLiteral("집전화"));
    phoneRow("han", m_han, QStringLiteral("핸드폰"));
    phoneRow("fax", m_fax, QStringLiteral("팩스"));
    m_email = line("email");
    form->addRow(QStringLiteral("이메일"), m_email);
    m_bigo = line("bigo");
    form->addRow(QStringLiteral("비고"), m_bigo);
    auto* buttons = new QHBoxLayout;
    auto* fresh = named(new QPushButton(QStringLiteral("새직원"), m_panel), "cmdNew");
    m_save = named(new QPushButton(kNew, m_panel), "cmdMember");
    m_disable = named(new QPushButton(QStringLiteral("사용중지"), m_panel), "cmdDisable");
    auto* close = named(new QPushButton(QStringLiteral("닫  기"), m_panel), "cmdClose");
    for (QPushButton* b : {fresh, m_save, m_disable, close})
        buttons->addWidget(b);
    form->addRow(buttons);
    column->addWidget(m_panel);
    m_status = named(new QLabel(this), "lblStatus");
    column->addWidget(m_status);

    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { select(item->data(0, Qt::UserRole).toInt()); });
    connect(check, &QPushButton::clicked, this, &frmFamily::IDck_Click);
    connect(m_id, &QLineEdit::textEdited, this, &frmFamily::idEdited);
    connect(fresh, &QPushButton::clicked, this, &frmFamily::cmdNew_Click);
    connect(m_save, &QPushButton::clicked, this, &frmFamily::cmdMember_Click);
    connect(m_disable, &QPushButton::clicked, this, &frmFamily::cmdDisable_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(1000, 700);
    cmdNew_Click();
    reload();
}

template <typename Work> bool frmFamily::attempt(const QString& routine, Work&& work) {
    auto done = attemptStore(m_session, routine + QStringLiteral(" => "), std::forward<Work>(work));
    if (!done)
        showStoreFailure(m_session, *done.failure(), StoreKind::Server);
    return bool(done);
}

void frmFamily::reload() {
    m_list->clear();
    setStatus(StaffTexts::searching());
    if (!attempt(QStringLiteral("frmFamily Form_Load"), [&] { m_rows = StaffAccounts(m_session).list(); }))
        return;
    const int total = int(m_rows.size());
    for (int i = 0; i < total; ++i) {
        const StaffRow& r = m_rows.at(i);
        auto* item =
            new QTreeWidgetItem(m_list, {QString::number(r.memIdx), r.startDay, r.name, r.showname, r.homtel,
                                         r.hantel, r.fax, r.email, r.residentNumber, r.address,
                                         r.disabled ? QStringLiteral("사용중지") : QString()});
        item->setData(0, Qt::UserRole, i);
        setStatus(StaffTexts::loading(total, i + 1));
    }
    setStatus(StaffTexts::found(total));
}

void frmFamily::select(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    std::optional<StaffForm> form;
    if (!attempt(QStringLiteral("frmFamily lvFamily_Click"),
                 [&] { form = StaffAccounts(m_session).read(m_rows.at(row).memIdx); }) ||
        !form)
        return;
    fillPanel(*form);
    m_editing = *form;
    m_save->setText(kEdit);
    m_id->setReadOnly(true);
    m_disable->setEnabled(true);
    m_disable->setText(m_rows.at(row).disabled ? QStringLiteral("사용재개") : QStringLiteral("사용중지"));
}

void frmFamily::cmdNew_Click() {
    fillPanel(StaffForm{});
    m_editing = StaffForm{};
    m_idChecked = false;
    m_idNote->clear();
    m_save->setText(kNew);
    m_id->setReadOnly(false);
    m_disable->setEnabled(false);
}

void frmFamily::IDck_Click() {
    StaffIdCheck result = StaffIdCheck::Empty;
    const QString id = m_id->text().trimmed();
    if (!attempt(QStringLiteral("frmFamily IDck_Click"),
                 [&] { result = StaffAccounts(m_session).checkId(id); }))
        return;
    m_idChecked = result == StaffIdCheck::Free;
    m_session.dialogs().message(
        StaffTexts::idCheckMessage(result),
        result == StaffIdCheck::Taken ? StaffTexts::idCheckTakenTitle() : StaffTexts::idCheckTitle(),
        m_idChecked ? DialogIcon::Information : DialogIcon::Warning, DialogButtons::Ok);
    m_idNote->setText(m_idChecked ? StaffTexts::idUsable() : QString());
}

void frmFamily::idEdited() {
    m_idChecked = false;
    m_idNote->setText(StaffTexts::idUnchecked());
}

void frmFamily::cmdMember_Click() {
    const StaffForm form = formFromPanel();
    StaffSave result;
    if (!attempt(QStringLiteral("cmdMember_Click"),
                 [&] { result = StaffAccounts(m_session).save(form, m_idChecked); }))
        return;
    m_session.dialogs().message(result.message, result.title,
                                result.saved ? DialogIcon::Information : DialogIcon::Warning,
                                DialogButtons::Ok);
    if (!result.saved)
        return;
    reload();
    cmdNew_Click();
}

void frmFamily::cmdDisable_Click() {
    if (!editing())
        return;
    const bool disable = m_disable->text() == QStringLiteral("사용중지");
    // Stopping keeps the person out at once: it is asked; starting again is not.
    if (disable &&
        m_session.dialogs().message(StaffTexts::askDisable(m_editing.id), StaffTexts::disableTitle(),
                                    DialogIcon::Question, DialogButtons::YesNo) != DialogAnswer::Yes)
        return;
    if (!attempt(QStringLiteral("frmFamily cmdDisable_Click"),
                 [&] { StaffAccounts(m_session).setDisabled(m_editing.id, disable); }))
        return;
    reload();
    cmdNew_Click();
}

StaffForm frmFamily::formFromPanel() const {
    StaffForm form = m_editing;
    form.id = m_id->text().trimmed();
    form.password = m_password->text();
    form.name = m_name->text();
    form.showname = m_showname->text();
    form.residentNumber = m_jumin->text();
    form.startDay = QDate::fromString(m_startday->text(), QStringLiteral("yyyy-MM-dd"));
    form.addr1 = m_addr[0]->text();
    form.addr2 = m_addr[1]->text();
    form.addr3 = m_addr[2]->text();
    form.addr4 = m_addr[3]->text();
    form.homtel = phone(m_hom);
    form.hantel = phone(m_han);
    form.fax = phone(m_fax);
    form.email = m_email->text();
    form.bigo = m_bigo->text();
    return form;
}

void frmFamily::fillPanel(const StaffForm& form) {
    m_id->setText(form.id);
    m_password->clear(); // set, never read back
    m_name->setText(form.name);
    m_showname->setText(form.showname);
    m_jumin->setText(form.residentNumber);
    m_startday->setText(form.startDay.isValid() ? form.startDay.toString(QStringLiteral("yyyy-MM-dd"))
                                                : QString());
    // Typing into a masked box starts at its first place, not after the blanks of the mask.
    m_jumin->setCursorPosition(0);
    m_startday->setCursorPosition(0);
    const QString address[4] = {form.addr1, form.addr2, form.addr3, form.addr4};
    for (int i = 0; i < 4; ++i)
        m_addr[i]->setText(address[i]);
    setPhone(m_hom, form.homtel);
    setPhone(m_han, form.hantel);
    setPhone(m_fax, form.fax);
    m_email->setText(form.email);
    m_bigo->setText(form.bigo);
}

void frmFamily::setStatus(const QString& text) {
    m_status->setText(text);
}

QString frmFamily::statusText() const {
    return m_status->text();
}

} // namespace teran
