#include "ScriptedChoices.h"

namespace teran::test {

std::optional<StaffMember> ScriptedChoices::staff(QWidget*, const QList<StaffMember>& staff) {
    staffOffered = staff;
    if (staffIds.isEmpty())
        return std::nullopt;
    const QString id = staffIds.dequeue();
    for (const StaffMember& member : staff)
        if (member.id == id)
            return member;
    return std::nullopt;
}

std::optional<QString> ScriptedChoices::groupName(QWidget*, const QStringList& names) {
    groupsOffered = names;
    if (groupNames.isEmpty())
        return std::nullopt;
    return groupNames.dequeue();
}

} // namespace teran::test
