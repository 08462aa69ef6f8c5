#include "ListingGroupActions.h"

#include "core/session/StoreErrorText.h"

#include "core/session/Session.h"

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kRun = QStringLiteral("실행 하시겠습니까?");

QList<int> numbersOf(const QList<SelectedListing>& rows) {
    QList<int> numbers;
    for (const SelectedListing& row : rows)
        numbers << row.number;
    return numbers;
}

QList<int> numbersOf(const QList<ListingPick>& picks) {
    QList<int> numbers;
    for (const ListingPick& pick : picks)
        numbers << pick.number;
    return numbers;
}

QString buttonLabel(const QString& button) {
    return QStringLiteral("frmList -> ") + button + QStringLiteral(" => ");
}

} // namespace

namespace GroupTexts {

QString titleMake() {
    return QStringLiteral("그룹만들기");
}
QString titleEdit() {
    return QStringLiteral("그룹수정");
}
QString titleDelete() {
    return QStringLiteral("그룹삭제");
}
QString titleMove() {
    return QStringLiteral("그룹이동");
}
QString titleRemove() {
    return QStringLiteral("그룹매물삭제");
}
QString chooseGroup() {
    return QStringLiteral("그룹명선택");
}

QString emptyName() {
    return QStringLiteral("그룹명이 입력되지 않았습니다.") + kCrLf + QStringLiteral("그룹명을 적어주세요.");
}

QString nameExists(const QString& name) {
    return QStringLiteral("[") + name + QStringLiteral("]의 그룹명이 이미 존재합니다.") + kCrLf +
           QStringLiteral("그룹명을 바꿔서 입력하세요.");
}

QString made(const QString& name) {
    return QStringLiteral("그룹명[") + name + QStringLiteral("]을 성공적으로 만들었습니다.");
}

QString edited() {
    return QStringLiteral("수정이 완료되었습니다.");
}

QString deleteQuestion(const QString& name) {
    return QStringLiteral("그룹명[") + name + QStringLiteral("]을 삭제합니다.") + kCrLf +
           QStringLiteral("그룹을 삭제하시면 그룹에 속해있는 매물도 같이 삭제됩니다.") + kRun;
}

QString deleted() {
    return QStringLiteral("그룹삭제가 완료되었습니다.");
}

QString nothingToMove() {
    return QStringLiteral("그룹이동할 내용이 없습니다.") + kCrLf +
           QStringLiteral("이동할 목록에 '√'표시를 해주시기바랍니다.");
}

QString moved(const QString& name) {
    return QStringLiteral("그룹명[") + name + QStringLiteral("]으로 이동 하였습니다.");
}

QString nothingToRemove() {
    return QStringLiteral("삭제할 매물이 없습니다.") + kCrLf +
           QStringLiteral("그룹에서 삭제할 매물에 '√'표시를 해주시기바랍니다.");
}

QString removeQuestion(const QString& name) {
    return QStringLiteral("선택된 매물을 [") + name + QStringLiteral("]그룹매물에서 삭제합니다.") + kRun;
}

QString removed() {
    return QStringLiteral("그룹매물을 삭제하였습니다.");
}

QString noGroup() {
    return QStringLiteral("그룹을 먼저 선택해 주세요.");
}

QString groupGone() {
    return QStringLiteral("선택한 그룹이 없습니다.") + kCrLf +
           QStringLiteral("다른 자리에서 삭제되었을 수 있습니다.");
}

} // namespace GroupTexts

ListingGroupActions::ListingGroupActions(Session& session)
    : m_session(session) {}

ListingGroups ListingGroupActions::groups() const {
    return ListingGroups(m_session.listingStore(), m_session.state().LoginId);
}

void ListingGroupActions::show(GroupOutcome& out, const QString& text, const QString& title) {
    out.message = text;
    out.title = title;
    m_session.dialogs().inform(text, title);
}

void ListingGroupActions::failed(GroupOutcome& out, const QString& button, const QString& title,
                                 const StoreError& error) {
    m_session.logError(buttonLabel(button), error);
    out.message = describeStoreError(error, false, m_session.log().lastFolder()).text;
    out.title = title;
    m_session.dialogs().critical(out.message, title);
}

std::optional<ListingGroup> ListingGroupActions::chosenGroup(int groupIdx, const QString& title,
                                                             GroupOutcome& out) {
    if (groupIdx <= 0) {
        show(out, GroupTexts::noGroup(), title);
        return std::nullopt;
    }
    std::optional<ListingGroup> group = groups().find(groupIdx);
    if (!group)
        show(out, GroupTexts::groupGone(), title);
    return group;
}

GroupOutcome ListingGroupActions::make(const GroupFields& fields) {
    GroupOutcome out;
    const QString name = ListingGroups::cleanName(fields.name);
    if (name.isEmpty()) {
        show(out, GroupTexts::emptyName(), GroupTexts::titleMake());
        return out;
    }
    try {
        ListingGroups store = groups();
        if (store.findByName(name)) {
            show(out, GroupTexts::nameExists(name), GroupTexts::titleMake());
            return out;
        }
        out.groupIdx = store.create({0, name, fields.title, fields.remark, m_session.clock().now()});
    } catch (const StoreError& error) {
        failed(out, QStringLiteral("cmdGmake"), GroupTexts::titleMake(), error);
        return out;
    }
    out.ran = true;
    show(out, GroupTexts::made(name), GroupTexts::titleMake());
    return out;
}

GroupOutcome ListingGroupActions::edit(int groupIdx, const GroupFields& fields) {
    GroupOutcome out;
    const QString name = ListingGroups::cleanName(fields.name);
    try {
        const std::optional<ListingGroup> group = chosenGroup(groupIdx, GroupTexts::titleEdit(), out);
        if (!group)
            return out;
        if (name.isEmpty()) {
            show(out, GroupTexts::emptyName(), GroupTexts::titleEdit());
            return out;
        }
        ListingGroups store = groups();
        if (const std::optional<ListingGroup> other = store.findByName(name);
            other && other->idx != groupIdx) {
            show(out, GroupTexts::nameExists(name), GroupTexts::titleEdit());
            return out;
        }
        const QDateTime day = fields.day.isValid() ? fields.day : group->day;
        if (!store.update({groupIdx, name, fields.title, fields.remark, day})) {
            show(out, GroupTexts::groupGone(), GroupTexts::titleEdit());
            return out;
        }
    } catch (const StoreError& error) {
        failed(out, QStringLiteral("cmdGedit"), GroupTexts::titleEdit(), error);
        return out;
    }
    out.ran = true;
    out.groupIdx = groupIdx;
    show(out, GroupTexts::edited(), GroupTexts::titleEdit());
    return out;
}

GroupOutcome ListingGroupActions::remove(int groupIdx) {
    GroupOutcome out;
    try {
        const std::optional<ListingGroup> group = chosenGroup(groupIdx, GroupTexts::titleDelete(), out);
        if (!group)
            return out;
        out.title = GroupTexts::titleDelete();
        out.message = GroupTexts::deleteQuestion(group->name);
        if (!m_session.dialogs().askYesNo(out.message, out.title))
            return out;
        if (!groups().remove(groupIdx)) {
            show(out, GroupTexts::groupGone(), GroupTexts::titleDelete());
            return out;
        }
    } catch (const StoreError& error) {
        failed(out, QStringLiteral("cmdGdel"), GroupTexts::titleDelete(), error);
        return out;
    }
    out.ran = true;
    out.groupIdx = groupIdx;
    show(out, GroupTexts::deleted(), GroupTexts::titleDelete());
    return out;
}

GroupOutcome ListingGroupActions::moveInto(const QList<ListingPick>& picks, const ChooseName& choose) {
    GroupOutcome out;
    if (picks.isEmpty()) {
        show(out, GroupTexts::nothingToMove(), GroupTexts::titleMove());
        return out;
    }
    try {
        QStringList names;
        for (const ListingGroup& group : groups().list())
            names << group.name;
        const std::optional<QString> chosen = choose ? choose(names) : std::nullopt;
        if (!chosen)
            return out;
        const QString name = ListingGroups::cleanName(*chosen);
        if (name.isEmpty()) {
            show(out, GroupTexts::emptyName(), GroupTexts::titleMove());
            return out;
        }
        // listings deleted on another desk since the list was filled do not go in
        const QList<int> numbers = numbersOf(readSelection(m_session.listingStore(), picks));
        const ListingGroups::Move move = groups().addToNamed(name, numbers, m_session.clock().now());
        out.groupIdx = move.idx;
        out.changed = move.added;
        out.ran = true;
        show(out, GroupTexts::moved(name), GroupTexts::titleMove());
    } catch (const StoreError& error) {
        failed(out, QStringLiteral("cmdGroup"), GroupTexts::titleMove(), error);
    }
    return out;
}

GroupOutcome ListingGroupActions::removeFrom(int groupIdx, const QList<ListingPick>& picks) {
    GroupOutcome out;
    if (picks.isEmpty()) {
        show(out, GroupTexts::nothingToRemove(), GroupTexts::titleRemove());
        return out;
    }
    try {
        const std::optional<ListingGroup> group = chosenGroup(groupIdx, GroupTexts::titleRemove(), out);
        if (!group)
            return out;
        out.title = GroupTexts::titleRemove();
        out.message = GroupTexts::removeQuestion(group->name);
        if (!m_session.dialogs().askYesNo(out.message, out.title))
            return out;
        out.changed = groups().removeListings(groupIdx, numbersOf(picks));
    } catch (const StoreError& error) {
        failed(out, QStringLiteral("cmdGMdel"), GroupTexts::titleRemove(), error);
        return out;
    }
    out.ran = true;
    out.groupIdx = groupIdx;
    show(out, GroupTexts::removed(), GroupTexts::titleRemove());
    return out;
}

} // namespace teran
