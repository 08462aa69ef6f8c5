#include "ListChoices.h"

#include "core/listings/ActionTexts.h"
#include "core/listings/ListingGroupActions.h"

#include <QInputDialog>

namespace teran {

std::optional<StaffMember> ListChoices::staff(QWidget* parent, const QList<StaffMember>& staff) {
    QStringList items;
    for (const StaffMember& member : staff)
        items << (member.name.isEmpty() ? member.id
                                        : member.name + QStringLiteral(" (") + member.id + QLatin1Char(')'));
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, ActionTexts::titleInCharge(), QStringLiteral("담당자를 선택하세요."), items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    const qsizetype at = items.indexOf(chosen);
    return at < 0 ? std::nullopt : std::optional<StaffMember>(staff.at(at));
}

std::optional<QString> ListChoices::groupName(QWidget* parent, const QStringList& names) {
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, GroupTexts::titleMove(),
                              QStringLiteral("이동할 그룹명을 선택하거나 입력하세요."), names, 0, true, &ok);
    if (!ok)
        return std::nullopt;
    return chosen;
}

} // namespace teran
