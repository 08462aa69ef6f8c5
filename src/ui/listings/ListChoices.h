#pragma once

#include "core/session/SessionState.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace teran {

// The small choosers the own list asks before an action: the staff member to put in charge
// and the group to move listings into. The program shows real choosers; tests give answers.
class ListChoices {
public:
    virtual ~ListChoices() = default;
    // nullopt when the user cancelled.
    virtual std::optional<StaffMember> staff(QWidget* parent, const QList<StaffMember>& staff);
    // One of the names, or a new name typed by the user; nullopt when cancelled.
    virtual std::optional<QString> groupName(QWidget* parent, const QStringList& names);
};

} // namespace teran
