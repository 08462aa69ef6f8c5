#include "PictureSlots.h"
#include "core/pictures/PictureFile.h"

#include "ui/widgets/Named.h"

#include "PictureLabel.h"
#include "core/register/RegisterTexts.h"
#include "core/session/Dialogs.h"
#include "frmPicture.h"
#include "ui/session/OpenedWindow.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace teran {

PictureSlots::PictureSlots(Dialogs& dialogs, Outlets& outlets, QWidget* parent)
    : QGroupBox(QStringLiteral("사진"), parent)
    , m_dialogs(dialogs)
    , m_outlets(outlets) {
    setObjectName(QStringLiteral("fraPictures"));
    auto* grid = new QGridLayout(this);
    for (int p = 0; p < 2; ++p) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("imgname%1").arg(p + 1));
        picture->setFixedSize(160, 120);
        picture->setFrameShape(QFrame::Box);
        picture->setAlignment(Qt::AlignCenter);
        picture->installEventFilter(this);
        m_pictures[size_t(p)] = picture;
        grid->addWidget(picture, 0, p * 2, 1, 2);
        auto* attachButton =
            namedButton(this, QStringLiteral("cmdImgname%1").arg(p + 1), QStringLiteral("사진등록"));
        auto* removeButton =
            namedButton(this, QStringLiteral("cmdImgdel%1").arg(p + 1), QStringLiteral("삭제"));
        grid->addWidget(attachButton, 1, p * 2);
        grid->addWidget(removeButton, 1, p * 2 + 1);
        connect(attachButton, &QPushButton::clicked, this, [this, p] { attach(p); });
        connect(removeButton, &QPushButton::clicked, this, [this, p] { remove(p); });
    }
    auto* imageBox = namedButton(this, QStringLiteral("cmdimgBox"), RegisterTexts::imageBoxTitle());
    grid->addWidget(imageBox, 2, 0, 1, 4);
    connect(imageBox, &QPushButton::clicked, this, &PictureSlots::imageBoxRequested);
}

void PictureSlots::showStored(const Names& stored, const QString& filesFolder) {
    m_stored = stored;
    m_chosen = {};
    for (size_t p = 0; p < 2; ++p)
        showPictureIn(m_pictures[p], stored[p].isEmpty() ? QString() : QDir(filesFolder).filePath(stored[p]));
}

void PictureSlots::attach(int picture) {
    const QString file = m_dialogs.openFileName(RegisterTexts::pictureTitle(), QDir::homePath(),
                                                RegisterTexts::pictureFilter());
    if (file.isEmpty())
        return;
    if (const QString problem = pictureProblem(file); !problem.isEmpty()) {
        m_dialogs.critical(RegisterTexts::attachErrorBecause(problem), RegisterTexts::windowTitle());
        return;
    }
    m_chosen[size_t(picture)] = file;
    showPictureIn(m_pictures[size_t(picture)], file);
}

void PictureSlots::remove(int picture) {
    m_chosen[size_t(picture)].clear();
    m_stored[size_t(picture)].clear();
    showPictureIn(m_pictures[size_t(picture)], QString());
}

void PictureSlots::showLarge(int picture) {
    const QString path = m_pictures[size_t(picture)]->toolTip();
    if (path.isEmpty())
        return;
    frmPicture view(path, QStringLiteral("사진 %1").arg(picture + 1), m_dialogs, m_outlets, this);
    runOpenedDialog(m_outlets, view);
}

bool PictureSlots::eventFilter(QObject* watched, QEvent* event) {
    for (int p = 0; p < 2; ++p)
        if (watched == m_pictures[size_t(p)] && event->type() == QEvent::MouseButtonDblClick)
            showLarge(p);
    return QGroupBox::eventFilter(watched, event);
}

} // namespace teran
