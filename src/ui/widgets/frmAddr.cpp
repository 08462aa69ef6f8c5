#include "frmAddr.h"

#include "ComboFill.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace teran {

namespace {

QPushButton* plainButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter belongs to the town box: no button may take it as the dialog's default.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

frmAddr::frmAddr(Session& session, const QString& target, AddressTarget* receiver, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_receiver(receiver) {
    setObjectName(QStringLiteral("frmAddr"));
    setWindowTitle(title());
    buildForm(target);
    connect(m_search, &QPushButton::clicked, this, &frmAddr::cmdSuch_Click);
    connect(m_dong, &QLineEdit::returnPressed, this, &frmAddr::cmdSuch_Click);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            lstAddr_Click();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &frmAddr::cmdConfirm_Click);
    connect(m_confirm, &QPushButton::clicked, this, &frmAddr::cmdConfirm_Click);
}

void frmAddr::buildForm(const QString& target) {
    m_label = new QLabel(QStringLiteral("찾으실 동(읍/면) 이름"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_dong = new QLineEdit(this);
    m_dong->setObjectName(QStringLiteral("dong"));
    m_search = plainButton(QStringLiteral("cmdSuch"), QStringLiteral("검색"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstAddr"));
    m_addr4 = new QComboBox(this);
    m_addr4->setObjectName(QStringLiteral("addr4"));
    m_addr4->setEditable(true);
    m_addr4->setInsertPolicy(QComboBox::NoInsert);
    combo::refill(m_addr4, lotPlaceholder());
    m_confirm = plainButton(QStringLiteral("cmdConfirm"), QStringLiteral("확인"), this);
    m_confirm->setProperty("Tag", target);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label, 0, 0, 1, 2);
    grid->addWidget(m_dong, 1, 0);
    grid->addWidget(m_search, 1, 1);
    grid->addWidget(m_list, 2, 0, 1, 2);
    grid->addWidget(m_addr4, 3, 0);
    grid->addWidget(m_confirm, 3, 1);
    resize(420, 360);
}

QString frmAddr::target() const {
    return m_confirm->property("Tag").toString();
}

void frmAddr::setTown(const QString& town) {
    m_dong->setText(town.trimmed());
}

void frmAddr::cmdSuch_Click() {
    const QString town = m_dong->text().trimmed();
    if (town.isEmpty()) {
        warn(QStringLiteral("검색할 동이름을 입력하여 주세요"));
        m_dong->setFocus();
        return;
    }
    m_list->clear();
    combo::refill(m_addr4, lotPlaceholder());
    const auto towns = attemptStore(m_session, QStringLiteral("frmAddr cmdSuch_Click => "),
                                    [&] { return AddressBook(m_session).searchTowns(town); });
    for (const TownAddress& found : towns.valueOr({})) {
        auto* item = new QListWidgetItem(found.itemText(), m_list);
        item->setData(kDistrictLengthRole, found.addr2.size());
        item->setData(kPartsRole, QStringList{found.addr1, found.addr2, found.addr3});
    }
}

void frmAddr::lstAddr_Click() {
    combo::refill(m_addr4, lotPlaceholder());
    const std::optional<TownAddress> parts = partsOf(m_list->currentItem());
    if (!parts)
        return;
    m_addr4->addItems(attemptStore(m_session, QStringLiteral("frmAddr lstAddr_Click => "), [&] {
                          return AddressBook(m_session).lotParts(parts->addr1, parts->addr2, parts->addr3);
                      }).valueOr({}));
}

void frmAddr::cmdConfirm_Click() {
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        warn(QStringLiteral("선택된 주소가 없습니다."));
        return;
    }
    const std::optional<TownAddress> parts = partsOf(item);
    if (!parts) {
        warn(QStringLiteral("주소가 잘못 선택되어 있습니다."));
        return;
    }
    const AddressPick pick{target(), parts->addr1, parts->addr2, parts->addr3,
                           m_addr4->currentText().trimmed()};
    if (pick.needsRest() && pick.rest().isEmpty()) {
        warn(QStringLiteral("나머지 주소를 입력하여 주세요"));
        m_addr4->setFocus();
        return;
    }
    const QString label = QStringLiteral("frmAddr cmdConfirm_Click => ");
    try {
        if (m_receiver && !attemptStore(m_session, label, [&] { m_receiver->takeAddress(pick); }))
            return;
    } catch (const std::exception& error) {
        logError(label, QString::fromStdString(error.what()), objectName());
        return;
    }
    Q_EMIT picked(pick);
    accept();
}

std::optional<TownAddress> frmAddr::partsOf(const QListWidgetItem* item) {
    if (!item)
        return std::nullopt;
    const QStringList parts = item->data(kPartsRole).toStringList();
    if (parts.size() == 3 && !parts.at(0).isEmpty() && !parts.at(2).isEmpty())
        return TownAddress{parts.at(0), parts.at(1), parts.at(2)};
    bool known = false;
    const int districtLength = item->data(kDistrictLengthRole).toInt(&known);
    if (!known)
        return std::nullopt;
    return TownAddress::fromItemText(item->text(), districtLength);
}

void frmAddr::warn(const QString& text) {
    m_session.dialogs().message(text, title(), DialogIcon::Warning, DialogButtons::Ok);
}

void frmAddr::logError(const QString& label, const QString& description, const QString& source) const {
    m_session.WriteLog(DailyLog::errorMessage(label, description, source));
}

} // namespace teran
