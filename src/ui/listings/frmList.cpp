#include "frmList.h"

#include "ui/widgets/RowScroller.h"

#include "ListChoices.h"
#include "ListingGroupPanel.h"
#include "core/listings/ActionTexts.h"
#include "core/listings/ListingActions.h"
#include "core/listings/ListingRowInfo.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace teran {

frmList::frmList(Session& session, QWidget* parent)
    : PagedListWindow(session, parent)
    , m_choices(std::make_unique<ListChoices>()) {
    setObjectName(QStringLiteral("frmList"));
    setWindowTitle(titleText());

    auto* inCharge = new QPushButton(QStringLiteral("담당자변경"), this);
    inCharge->setObjectName(QStringLiteral("cmdDamdang"));
    inCharge->setAutoDefault(false);
    buttons()->insertWidget(buttons()->count() - 1, inCharge);
    connect(inCharge, &QPushButton::clicked, this, &frmList::changeInCharge);

    m_groups = new ListingGroupPanel(
        session, [this] { return tickedPicks(); }, [this]() -> ListChoices& { return *m_choices; }, this);
    body()->insertWidget(1, new RowScroller(m_groups, this));
    connect(m_groups, &ListingGroupPanel::groupChosen, this, &frmList::showGroup);
    connect(m_groups, &ListingGroupPanel::membersChanged, this, [this] { refresh(); });

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabSS"));
    m_tabs->addTab(QStringLiteral("매물함"));
    m_tabs->addTab(QStringLiteral("보관함"));
    body()->insertWidget(2, m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { goToPage(1); });

    loadSettings();
}

frmList::~frmList() = default;

QString frmList::titleText() {
    return QStringLiteral("테란 [내매물] - 실행중");
}

void frmList::setChoices(std::unique_ptr<ListChoices> choices) {
    if (choices)
        m_choices = std::move(choices);
}

bool frmList::archiveView() const {
    return m_tabs->currentIndex() == 1;
}

ListKind frmList::queryKind() const {
    return m_group > 0 ? ListKind::Group : ListKind::Own;
}

void frmList::adjustRequest(ListRequest& request) const {
    request.filter.archive = archiveView();
    request.groupIdx = m_group;
}

void frmList::showGroup(int groupIdx) {
    m_group = groupIdx;
    goToPage(1);
}

void frmList::rowClicked(const ListItem& item) {
    const RowDetails details = ownRowDetails(session(), item.number);
    Q_EMIT rowChosen(RowInfo{details.number, details.picture1, details.picture2, details.infoText});
}

void frmList::rowDoubleClicked(const ListItem& item) {
    Q_EMIT editRequested(item.number);
}

bool frmList::readFixedPage(const SettingsStore& settings) const {
    return settings.listFixedPage();
}

void frmList::writeFixedPage(SettingsStore& settings, bool fixed) {
    settings.setListFixedPage(fixed);
}

void frmList::changeInCharge() {
    const QList<ListingPick> picks = tickedPicks();
    if (picks.isEmpty()) {
        session().dialogs().inform(ActionTexts::noInChargeSelection(), ActionTexts::titleCheck());
        return;
    }
    const std::optional<StaffMember> staff = m_choices->staff(this, session().state().Staff);
    if (!staff)
        return;
    const ActionOutcome out = ListingActions(session()).changeInCharge(picks, staff->id, staff->name);
    if (out.done > 0)
        refresh();
}

} // namespace teran
