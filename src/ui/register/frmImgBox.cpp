#include "frmImgBox.h"
#include "core/pictures/PictureFile.h"

#include "PictureLabel.h"
#include "core/register/RegisterTexts.h"
#include "core/session/Dialogs.h"
#include "frmPicture.h"
#include "ui/session/OpenedWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

frmImgBox::frmImgBox(ImageBoxList box, QString filesDir, Dialogs& dialogs, Outlets& outlets, QWidget* parent)
    : QDialog(parent)
    , m_box(std::move(box))
    , m_filesDir(std::move(filesDir))
    , m_dialogs(dialogs)
    , m_outlets(outlets) {
    setObjectName(QStringLiteral("frmImgBox"));
    setWindowTitle(RegisterTexts::imageBoxTitle());
    setAcceptDrops(true);
    auto* slots = new QWidget(this);
    slots->setObjectName(QStringLiteral("boxPic"));
    auto* grid = new QGridLayout(slots);
    for (int k = 0; k < ImageBoxList::kSlots; ++k) {
        auto* image = new QLabel(slots);
        image->setObjectName(QStringLiteral("boxImg%1").arg(k));
        image->setFixedSize(150, 112);
        image->setFrameShape(QFrame::Box);
        image->setAlignment(Qt::AlignCenter);
        image->installEventFilter(this);
        m_images[size_t(k)] = image;
        auto* publish = new QCheckBox(QStringLiteral("인터넷공개"), slots);
        publish->setObjectName(QStringLiteral("boxChk%1").arg(k));
        m_publish[size_t(k)] = publish;
        auto* up = new QPushButton(QStringLiteral("사진등록"), slots);
        up->setObjectName(QStringLiteral("boxcmdUp%1").arg(k));
        auto* del = new QPushButton(QStringLiteral("삭제"), slots);
        del->setObjectName(QStringLiteral("boxcmdDel%1").arg(k));
        const int row = (k / 3) * 3;
        const int column = (k % 3) * 2;
        grid->addWidget(image, row, column, 1, 2);
        grid->addWidget(publish, row + 1, column, 1, 2);
        grid->addWidget(up, row + 2, column);
        grid->addWidget(del, row + 2, column + 1);
        connect(up, &QPushButton::clicked, this, [this, k] { boxcmdUp_Click(k); });
        connect(del, &QPushButton::clicked, this, [this, k] { boxcmdDel_Click(k); });
        connect(publish, &QCheckBox::toggled, this, [this, k](bool on) { m_box.slot(k).publish = on; });
    }
    m_large = new QLabel(this);
    m_large->setObjectName(QStringLiteral("boxShowImg"));
    m_large->setFixedSize(400, 300);
    m_large->setFrameShape(QFrame::Box);
    m_large->setAlignment(Qt::AlignCenter);
    m_large->installEventFilter(this);
    auto* hint = new QLabel(RegisterTexts::imageBoxHint(), this);
    auto* save = new QPushButton(QStringLiteral("저장"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* closeButton = new QPushButton(QStringLiteral("닫기"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    auto* right = new QVBoxLayout;
    right->addWidget(m_large);
    right->addWidget(hint);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(closeButton);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(slots);
    layout->addLayout(right);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    for (int k = 0; k < ImageBoxList::kSlots; ++k)
        showSlot(k);
}

ImageBoxList frmImgBox::box() const {
    return m_box;
}

QString frmImgBox::pathOf(int k) const {
    const ImageBoxSlot& slot = m_box.slot(k);
    if (slot.kind == ImageBoxSlot::Kind::Stored)
        return QDir(m_filesDir).filePath(slot.entry);
    return slot.entry;
}

void frmImgBox::showSlot(int k) {
    showPictureIn(m_images[size_t(k)], pathOf(k));
    const QSignalBlocker quiet(m_publish[size_t(k)]);
    m_publish[size_t(k)]->setChecked(m_box.slot(k).publish);
    m_publish[size_t(k)]->setEnabled(m_box.slot(k).kind != ImageBoxSlot::Kind::Empty);
}

bool frmImgBox::readable(const QString& path) {
    const QString problem = pictureProblem(path);
    if (problem.isEmpty())
        return true;
    m_dialogs.critical(RegisterTexts::attachErrorBecause(problem), RegisterTexts::imageBoxTitle());
    return false;
}

void frmImgBox::boxcmdUp_Click(int k) {
    QStringList chosen = m_dialogs.openFileNames(RegisterTexts::pictureTitle(), QDir::homePath(),
                                                 RegisterTexts::pictureFilter());
    if (chosen.isEmpty() || !readable(chosen.first()))
        return;
    // A picture newly chosen goes out with the listing unless the office unticks it.
    m_box.slot(k) = {ImageBoxSlot::Kind::Chosen, chosen.takeFirst(), true};
    showSlot(k);
    boxImg_Click(k);
    if (!chosen.isEmpty())
        addPictures(chosen);
}

void frmImgBox::addPictures(const QStringList& paths) {
    QStringList usable;
    for (const QString& path : paths)
        if (readable(path))
            usable << path;
    const QStringList left = m_box.fill(usable, true);
    for (int k = 0; k < ImageBoxList::kSlots; ++k)
        showSlot(k);
    if (!left.isEmpty())
        m_dialogs.inform(RegisterTexts::imageBoxFull(int(left.size())), RegisterTexts::imageBoxTitle());
}

void frmImgBox::boxcmdDel_Click(int k) {
    m_box.slot(k) = {};
    showSlot(k);
    m_large->setPixmap({});
}

void frmImgBox::boxImg_Click(int k) {
    const QString path = pathOf(k);
    m_large->setPixmap(path.isEmpty() ? QPixmap() : scaledPicture(path, m_large->size()));
    m_large->setToolTip(path);
}

void frmImgBox::boxImg_DblClick(int k) {
    const QString path = pathOf(k);
    if (path.isEmpty())
        return;
    frmPicture view(path, QFileInfo(path).fileName(), m_dialogs, m_outlets, this);
    runOpenedDialog(m_outlets, view);
}

bool frmImgBox::eventFilter(QObject* watched, QEvent* event) {
    const auto at = std::find(m_images.begin(), m_images.end(), watched);
    const bool large = watched == m_large;
    if ((at != m_images.end() || large) &&
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)) {
        if (large) {
            if (event->type() == QEvent::MouseButtonDblClick && !m_large->toolTip().isEmpty()) {
                frmPicture view(m_large->toolTip(), QString(), m_dialogs, m_outlets, this);
                runOpenedDialog(m_outlets, view);
            }
            return true;
        }
        const int k = int(at - m_images.begin());
        if (event->type() == QEvent::MouseButtonDblClick)
            boxImg_DblClick(k);
        else
            boxImg_Click(k);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmImgBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmImgBox::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (!paths.isEmpty()) {
        addPictures(paths);
        event->acceptProposedAction();
    }
}

} // namespace teran
