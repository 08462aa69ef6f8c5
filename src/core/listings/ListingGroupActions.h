#pragma once

#include "ListingGroups.h"
#include "core/listing/ListingSelection.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace teran {

class Session;
class StoreError;

// The texts and titles of the group panel of the own list. Texts the office staff know from
// earlier versions are kept word for word.
namespace GroupTexts {
QString titleMake();   // "그룹만들기"
QString titleEdit();   // "그룹수정"
QString titleDelete(); // "그룹삭제"
QString titleMove();   // "그룹이동"
QString titleRemove(); // "그룹매물삭제"
QString chooseGroup(); // "그룹명선택": the first entry of `cboGroup`

QString emptyName();
QString nameExists(const QString& name);
QString made(const QString& name);
QString edited();
QString deleteQuestion(const QString& name);
QString deleted();
QString nothingToMove();
QString moved(const QString& name);
QString nothingToRemove();
QString removeQuestion(const QString& name);
QString removed();
// When no group is chosen, or the chosen one was deleted on another desk.
QString noGroup();
QString groupGone();
} // namespace GroupTexts

// What the panel fills in for a group.
struct GroupFields {
    QString name;
    QString title;
    QString remark;
    QDateTime day; // edit only: the group's date; a new group is dated now
};

// What a group action did, for the window to reload its chooser and list.
struct GroupOutcome {
    bool ran = false; // the store was changed
    int groupIdx = 0; // the group made, changed, removed or moved into
    int changed = 0;  // listing rows added to or taken out of the group
    QString message;  // the last box shown, and its title
    QString title;
};

// The actions behind the group buttons of the own list (`cmdGmake`, `cmdGedit`, `cmdGdel`,
// `cmdGroup`, `cmdGMdel`). Each checks its input, asks and tells through the session's Dialogs,
// and writes a failing statement to the daily log with the button's label.
class ListingGroupActions {
public:
    // Asked for the group to move listings into: the user's group names to choose from; the
    // answer may also be a new name. nullopt when the user cancelled.
    using ChooseName = std::function<std::optional<QString>(const QStringList& names)>;

    explicit ListingGroupActions(Session& session);

    GroupOutcome make(const GroupFields& fields);
    GroupOutcome edit(int groupIdx, const GroupFields& fields);
    GroupOutcome remove(int groupIdx);
    // Moves the ticked listings into a group chosen after the tick check; a name no group of
    // the user carries makes a new group first. Listings already in the group stay there once.
    GroupOutcome moveInto(const QList<ListingPick>& picks, const ChooseName& choose);
    GroupOutcome removeFrom(int groupIdx, const QList<ListingPick>& picks);

private:
    ListingGroups groups() const;
    std::optional<ListingGroup> chosenGroup(int groupIdx, const QString& title, GroupOutcome& out);
    void show(GroupOutcome& out, const QString& text, const QString& title);
    void failed(GroupOutcome& out, const QString& button, const QString& title, const StoreError& error);

    Session& m_session;
};

} // namespace teran
