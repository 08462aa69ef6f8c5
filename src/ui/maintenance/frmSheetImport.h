#pragma once

#include "core/maintenance/ListingCsvImport.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QTableWidget;

namespace teran {

class Session;

// 엑셀(CSV) 가져오기: the first lines of a CSV file under its header, a choice of field for each
// of its columns (by caption, proposed from the header), and the import of the whole file.
class frmSheetImport : public QDialog {
    Q_OBJECT
public:
    frmSheetImport(Session& session, QString path, const listingCsv::Preview& preview,
                   QWidget* parent = nullptr);

    QStringList mapping() const;
    bool cmdImport_Click();

private:
    Session& m_session;
    QString m_path;
    QList<QComboBox*> m_targets;
    QTableWidget* m_rows;
};

} // namespace teran
