#pragma once

#include <QObject>

class QCoreApplication;
class QWidget;

namespace teran {

// Keeps every window of the program on its screen: a window about to be shown that is larger
// than the screen's free area (a 760-pixel contract window on a 768-pixel screen, a geometry
// kept from a larger screen) is shrunk to fit and moved inside it, title bar included.
class ScreenFit : public QObject {
    Q_OBJECT
public:
    static void install(QCoreApplication& app);
    // Fits one window now.
    static void fit(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace teran
