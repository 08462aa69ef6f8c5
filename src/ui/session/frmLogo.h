#pragma once

#include <QDialog>

namespace teran {

// The small splash window that shows the program's version while the session loads.
class frmLogo : public QDialog {
    Q_OBJECT
public:
    explicit frmLogo(const QString& versionText, QWidget* parent = nullptr);
};

} // namespace teran
