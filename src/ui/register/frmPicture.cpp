#include "frmPicture.h"

#include "ui/session/ReportPreview.h"

#include "PictureLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

frmPicture::frmPicture(const QString& path, const QString& caption, Dialogs& dialogs, Outlets& outlets,
                       QWidget* parent)
    : QDialog(parent)
    , m_path(path)
    , m_caption(caption)
    , m_dialogs(dialogs)
    , m_outlets(outlets) {
    setObjectName(QStringLiteral("frmPicture"));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("사진") : caption);
    resize(800, 640);
    m_picture = scaledPicture(path);
    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("picTargit"));
    m_view->setAlignment(Qt::AlignCenter);
    m_view->setMinimumSize(200, 150);
    auto* print = new QPushButton(QStringLiteral("인쇄"), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    print->setEnabled(!m_picture.isNull());
    auto* closeButton = new QPushButton(QStringLiteral("닫기"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(closeButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_view, 1);
    column->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &frmPicture::cmdPrint_Click);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    fit();
}

report::Document frmPicture::page() const {
    report::Document document;
    document.title = m_caption;
    document.pageNumbers = false;
    if (!m_caption.isEmpty())
        document.add(report::Heading{m_caption});
    // The page's height less the margins and the heading.
    document.add(report::Pictures{{report::Picture{m_path, QString()}}, 230});
    return document;
}

void frmPicture::cmdPrint_Click() {
    ReportPreview::hand(m_outlets, m_dialogs, page(), this);
}

void frmPicture::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fit();
}

void frmPicture::fit() {
    if (m_picture.isNull()) {
        m_view->setText(QStringLiteral("사진 없음"));
        return;
    }
    m_view->setPixmap(m_picture.scaled(m_view->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace teran
