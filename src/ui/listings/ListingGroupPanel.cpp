#include "ListingGroupPanel.h"

#include "ui/widgets/Named.h"

#include "ListChoices.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/people/frmWork.h"
#include "ui/session/OpenedWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace teran {

namespace {

QLineEdit* field(const QString& name, const QString& placeholder, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

ListingGroupPanel::ListingGroupPanel(Session& session, TickedRows ticked, Choices choices, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_ticked(std::move(ticked))
    , m_choices(std::move(choices)) {
    setObjectName(QStringLiteral("fraGroup"));
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("cboGroup"));
    m_groups->setMinimumContentsLength(12);
    m_name = field(QStringLiteral("txtGname"), QStringLiteral("그룹명"), this);
    m_title = field(QStringLiteral("txtGtitle"), QStringLiteral("제목"), this);
    m_remark = field(QStringLiteral("txtGbigo"), QStringLiteral("비고"), this);
    m_day = new QDateEdit(m_session.clock().today(), this);
    m_day->setObjectName(QStringLiteral("dtpGday"));
    m_day->setCalendarPopup(true);
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("lblGroup"));

    QPushButton* make =
        namedButton(this, QStringLiteral("cmdGmake"), QStringLiteral("그룹만들기"), EnterKey::Ignored);
    QPushButton* edit =
        namedButton(this, QStringLiteral("cmdGedit"), QStringLiteral("그룹수정"), EnterKey::Ignored);
    QPushButton* remove =
        namedButton(this, QStringLiteral("cmdGdel"), QStringLiteral("그룹삭제"), EnterKey::Ignored);
    QPushButton* move =
        namedButton(this, QStringLiteral("cmdGroup"), QStringLiteral("그룹이동"), EnterKey::Ignored);
    QPushButton* out =
        namedButton(this, QStringLiteral("cmdGMdel"), QStringLiteral("그룹매물삭제"), EnterKey::Ignored);
    QPushButton* notes =
        namedButton(this, QStringLiteral("cmdGwork"), QStringLiteral("그룹작업상황"), EnterKey::Ignored);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_groups, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(m_title, 0, 2);
    grid->addWidget(m_remark, 0, 3);
    grid->addWidget(m_day, 0, 4);
    grid->addWidget(m_info, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {make, edit, remove, move, out, notes})
        buttons->addWidget(b);
    grid->addLayout(buttons, 1, 2, 1, 3);

    connect(m_groups, &QComboBox::activated, this, &ListingGroupPanel::chooseIndex);
    connect(make, &QPushButton::clicked, this, &ListingGroupPanel::make);
    connect(edit, &QPushButton::clicked, this, &ListingGroupPanel::edit);
    connect(remove, &QPushButton::clicked, this, &ListingGroupPanel::remove);
    connect(move, &QPushButton::clicked, this, &ListingGroupPanel::moveInto);
    connect(out, &QPushButton::clicked, this, &ListingGroupPanel::removeFrom);
    connect(notes, &QPushButton::clicked, this, &ListingGroupPanel::openNotes);
    reload();
}

int ListingGroupPanel::currentGroup() const {
    return m_shown;
}

void ListingGroupPanel::reload() {
    QList<ListingGroup> groups;
    if (m_session.listingOpen()) {
        attemptStore(m_session, QStringLiteral("frmList -> cboGroup => "),
                     [&] { groups = ListingGroups(m_session).list(); });
    }
    const QSignalBlocker block(m_groups);
    m_groups->clear();
    m_groups->addItem(GroupTexts::chooseGroup(), 0);
    int keep = 0;
    for (const ListingGroup& group : groups) {
        m_groups->addItem(group.name, group.idx);
        m_groups->setItemData(m_groups->count() - 1, group.title, Qt::ToolTipRole);
        if (group.idx == m_shown)
            keep = m_groups->count() - 1;
    }
    m_groups->setCurrentIndex(keep);
    if (keep == 0 && m_shown != 0)
        chooseIndex(0); // the group shown is gone
    else if (keep != 0)
        showGroup(groups.at(keep - 1));
}

void ListingGroupPanel::chooseIndex(int index) {
    const int idx = m_groups->itemData(index).toInt();
    std::optional<ListingGroup> group;
    if (idx > 0) {
        attemptStore(m_session, QStringLiteral("frmList -> cboGroup => "),
                     [&] { group = ListingGroups(m_session).find(idx); });
    }
    showGroup(group);
    m_shown = group ? group->idx : 0;
    Q_EMIT groupChosen(m_shown);
}

void ListingGroupPanel::showGroup(const std::optional<ListingGroup>& group) {
    m_name->setText(group ? group->name : QString());
    m_title->setText(group ? group->title : QString());
    m_remark->setText(group ? group->remark : QString());
    m_day->setDate(group && group->day.isValid() ? group->day.date() : m_session.clock().today());
    m_info->setText(group ? group->title + QStringLiteral("  ") + group->remark + QStringLiteral("  ") +
                                group->day.toString(QStringLiteral("yy-MM-dd"))
                          : QString());
}

GroupFields ListingGroupPanel::fields() const {
    return {m_name->text(), m_title->text(), m_remark->text(), m_day->date().startOfDay()};
}

void ListingGroupPanel::make() {
    if (ListingGroupActions(m_session).make(fields()).ran)
        reload();
}

// 그룹작업상황: the notes of the chosen group in the note window.
void ListingGroupPanel::openNotes() {
    if (m_shown <= 0) {
        m_session.dialogs().inform(GroupTexts::noGroup(), QStringLiteral("그룹작업상황"));
        return;
    }
    showOpenedWindow(m_session.outlets(), new frmWork(m_session,
                                                      {NoteKind::Group, m_shown, QStringLiteral("frmList"),
                                                       QStringLiteral("* 물건진행현황 및 관리자 메모 "),
                                                       m_session.state().OfficeMainId},
                                                      0, this));
}

void ListingGroupPanel::edit() {
    if (ListingGroupActions(m_session).edit(m_shown, fields()).ran)
        reload();
}

void ListingGroupPanel::remove() {
    if (ListingGroupActions(m_session).remove(m_shown).ran)
        reload();
}

void ListingGroupPanel::moveInto() {
    const GroupOutcome out = ListingGroupActions(m_session).moveInto(
        m_ticked(), [this](const QStringList& names) { return m_choices().groupName(this, names); });
    if (!out.ran)
        return;
    reload();
    if (out.groupIdx == m_shown)
        Q_EMIT membersChanged(m_shown);
}

void ListingGroupPanel::removeFrom() {
    const GroupOutcome out = ListingGroupActions(m_session).removeFrom(m_shown, m_ticked());
    if (out.ran)
        Q_EMIT membersChanged(m_shown);
}

} // namespace teran
