#include "RowPreview.h"
#include "core/pictures/PictureFile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace teran {

namespace {

QLabel* pictureBox(const char* name, QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setObjectName(QLatin1String(name));
    box->setFixedSize(RowPreview::kPictureWidth, RowPreview::kPictureHeight);
    box->setAlignment(Qt::AlignCenter);
    box->setFrameShape(QFrame::StyledPanel);
    return box;
}

} // namespace

RowPreview::RowPreview(QWidget* parent)
    : QWidget(parent)
    , m_picture1(pictureBox("imgname1", this))
    , m_picture2(pictureBox("imgname2", this))
    , m_info(new QLabel(this)) {
    setObjectName(QStringLiteral("RowPreview"));
    m_info->setObjectName(QStringLiteral("lblInfo"));
    m_info->setWordWrap(true);
    m_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(m_picture1);
    pictures->addWidget(m_picture2);
    auto* column = new QVBoxLayout(this);
    column->addLayout(pictures);
    column->addWidget(m_info);
}

void RowPreview::showRow(const RowInfo& info) {
    m_number = info.number;
    showPicture(m_picture1, info.picture1);
    showPicture(m_picture2, info.picture2);
    m_info->setText(info.infoText);
}

void RowPreview::clear() {
    showRow({});
}

void RowPreview::showPicture(QLabel* box, const QString& file) {
    const QImage picture = file.isEmpty() ? QImage() : readScaledPicture(file, box->size());
    if (picture.isNull()) {
        box->clear();
        return;
    }
    box->setPixmap(QPixmap::fromImage(picture));
}

} // namespace teran
