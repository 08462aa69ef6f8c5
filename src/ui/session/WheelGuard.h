#pragma once

#include <QObject>

class QCoreApplication;

namespace teran {

// Keeps the mouse wheel from changing a choice the user did not pick: scrolling a long window
// (a contract, a listing form) over a date box or a combo used to change the year or the item
// under the pointer on the way down, unseen. A combo or spin box takes the wheel only once the
// user has clicked or tabbed into it; until then the wheel scrolls the window around it.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    static void install(QCoreApplication& app);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace teran
