#pragma once

#include "core/register/FileBox.h"

#include <QDialog>

class QListWidget;

namespace teran {

class Dialogs;
class Outlets;

// `frmFilebox`: the files kept with a stored listing. A file of a name already there is
// replaced only when the user says so; a double click opens a file with its program.
class frmFilebox : public QDialog {
    Q_OBJECT
public:
    frmFilebox(const QString& filesDir, int number, Dialogs& dialogs, Outlets& outlets,
               QWidget* parent = nullptr);

    void cmdAdd_Click();
    QStringList shownFiles() const;

private:
    void refresh();

    FileBox m_box;
    Dialogs& m_dialogs;
    Outlets& m_outlets;
    QListWidget* m_list = nullptr;
};

} // namespace teran
