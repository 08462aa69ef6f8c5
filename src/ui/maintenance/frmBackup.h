#pragma once

#include "core/maintenance/ListingTextTransfer.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QLabel;

namespace teran {

class Session;

// The text backup window: the property types to export, the period and its date column, the
// file; 백업하기 writes the chosen listings in the text transfer format and closes the window.
class frmBackup : public QDialog {
    Q_OBJECT
public:
    explicit frmBackup(Session& session, QWidget* parent = nullptr);

    // The export as the controls choose it.
    listingText::ExportChoice choice() const;
    QString savePath() const;

    void cmdChk_Click();
    void cmdClear_Click();
    void cmdPath_Click();
    bool cmdBackUp_Click();

private:
    QWidget* buildTypes();
    QWidget* buildPeriod();
    QWidget* buildFile();
    void periodChosen(int index);

    Session& m_session;
    QList<QCheckBox*> m_types;
    QButtonGroup* m_period;
    QButtonGroup* m_dateColumn;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLabel* m_path;
};

} // namespace teran
