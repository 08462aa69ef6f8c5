#pragma once

#include "core/listings/ListingRowInfo.h"

#include <QDialog>

class QTableWidget;

namespace teran {

// `frmDetail` ("상세정보보기"): a shared listing as the server keeps it, read-only, one line per
// captioned value. Drawn by the program itself rather than from the vendor's web page.
class frmDetail : public QDialog {
    Q_OBJECT
public:
    frmDetail(const QList<DetailField>& fields, QWidget* parent = nullptr);

    static QString titleText(); // "상세정보보기"
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table;
};

} // namespace teran
