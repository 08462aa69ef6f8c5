#pragma once

#include "ui/listings/ListChoices.h"

#include <QQueue>

namespace teran::test {

// Choosers that answer from queues; an empty queue answers "cancelled".
class ScriptedChoices final : public ListChoices {
public:
    std::optional<StaffMember> staff(QWidget* parent, const QList<StaffMember>& staff) override;
    std::optional<QString> groupName(QWidget* parent, const QStringList& names) override;

    QQueue<QString> staffIds;
    QQueue<QString> groupNames;
    QList<StaffMember> staffOffered;
    QStringList groupsOffered;
};

} // namespace teran::test
