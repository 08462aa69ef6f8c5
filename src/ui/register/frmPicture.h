#pragma once

#include "core/report/ReportDocument.h"

#include <QDialog>
#include <QPixmap>

class QLabel;

namespace teran {

class Dialogs;
class Outlets;

// `frmPicture`: one picture as large as the window lets it be, and printed on a page of its own.
class frmPicture : public QDialog {
    Q_OBJECT
public:
    frmPicture(const QString& path, const QString& caption, Dialogs& dialogs, Outlets& outlets,
               QWidget* parent = nullptr);

    void cmdPrint_Click();
    // The page the picture prints on.
    report::Document page() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QString m_path;
    QString m_caption;
    Dialogs& m_dialogs;
    Outlets& m_outlets;
    QPixmap m_picture;
    QLabel* m_view = nullptr;
};

} // namespace teran
