#include "frmCard.h"

#include "PersonFields.h"
#include "core/session/Session.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/RegionCascade.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace teran {

namespace {

PersonWindowSetup setupOf(const CardKind& kind) {
    const bool cards = kind.part == CardPart::Namecard;
    return {kind.windowName,
            cards ? QStringLiteral("명함관리") : QStringLiteral("고객관리"),
            QStringLiteral("tabNamecard"),
            kind.layout,
            kind.noteKind,
            kind.noteCaption,
            kind.resizeCaption,
            kind.statusPrefix,
            kind.searchPrefix,
            CardBook::listCaptions(),
            3,
            QString()};
}

} // namespace

frmCard::frmCard(Session& session, CardPart part, QWidget* parent)
    : PersonWindow(session, setupOf(cardKind(part)), parent)
    , m_book(session, part) {
    build(buildPanel());
}

QWidget* frmCard::buildPanel() {
    auto* panel = named(new QGroupBox(this), "pic_bod");
    auto* form = new QFormLayout(panel);
    m_group = personCombo(panel, "groupin", true);
    m_company = personField(panel, "company");
    m_name = personField(panel, "txtName");
    m_email = personField(panel, "email");
    m_homtel = personField(panel, "homtel");
    m_hantel = personField(panel, "hantel");
    m_office = personField(panel, "office");
    m_fax = personField(panel, "fax");
    m_addr4 = personField(panel, "addr4");
    m_work = named(new QPlainTextEdit(panel), "work");
    m_work->setPlaceholderText(CardBook::notePlaceholder());
    m_work->setMaximumHeight(90);
    form->addRow(QStringLiteral("그룹"), m_group);
    form->addRow(QStringLiteral("회사명"), m_company);
    form->addRow(QStringLiteral("이름"), m_name);
    form->addRow(QStringLiteral("이메일"), m_email);
    form->addRow(QStringLiteral("집전화"), m_homtel);
    form->addRow(QStringLiteral("핸드폰"), m_hantel);
    form->addRow(QStringLiteral("사무실"), m_office);
    form->addRow(QStringLiteral("팩스"), m_fax);
    form->addRow(QStringLiteral("주소"), addressRow(panel, m_addr4, {}));
    form->addRow(QStringLiteral("상세내용"), m_work);
    m_region = RegionCascade::attach(m_session, panel);
    if (m_region)
        m_region->loadRegions();
    return panel;
}

CardFilter frmCard::filter(const QString& tab, bool search) const {
    return {tab, search ? std::optional<Card>(m_search) : std::nullopt};
}

QStringList frmCard::groups() {
    return m_book.groups();
}

void frmCard::offerGroups(const QStringList& groups) {
    offerGroupNames(m_group, groups);
}

int frmCard::count(const QString& tab, bool search) {
    return m_book.count(filter(tab, search));
}

QList<PersonRow> frmCard::rows(const QString& tab, bool search, int limit, int offset) {
    QList<PersonRow> list;
    for (const Card& card : m_book.list(filter(tab, search), limit, offset))
        list << PersonRow{card.number, CardBook::cellsOf(card)};
    return list;
}

bool frmCard::showPerson(int number) {
    const std::optional<Card> card = m_book.read(number);
    if (!card)
        return false;
    const Contact& c = card->contact;
    m_group->setCurrentText(c.groupin);
    m_company->setText(card->company);
    showContact({m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4}, c);
    if (m_region)
        m_region->setValues({c.addr1, c.addr2, c.addr3});
    m_work->clear();
    return true;
}

void frmCard::clearPanel() {
    for (QLineEdit* box : {m_company, m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4})
        box->clear();
    m_group->setCurrentText(QString());
    if (m_region)
        m_region->setValues({});
    m_work->clear();
}

Card frmCard::panelCard() const {
    Card card;
    card.company = m_company->text().trimmed();
    card.contact =
        contactOf({m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4}, m_group, m_region);
    return card;
}

PersonSaveResult frmCard::savePanel(int number) {
    Card card = panelCard();
    card.number = number;
    return m_book.save(card, m_work->toPlainText());
}

void frmCard::remove(int number) {
    m_book.remove(number);
}

void frmCard::takeSearch() {
    m_search = panelCard();
}

QString frmCard::panelName() const {
    return m_name->text().trimmed();
}

QString frmCard::panelMobile() const {
    return m_hantel->text().trimmed();
}

void frmCard::focusName() {
    m_name->setFocus();
}

} // namespace teran
