#pragma once

#include "core/pictures/ImageBox.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;

namespace teran {

class Dialogs;
class Outlets;

// `frmImgBox`, the image box: six further pictures of a listing, each with whether it goes out
// with the shared listing. The window only edits the list; the pictures are copied into the data
// folder, published and removed when the listing is saved.
class frmImgBox : public QDialog {
    Q_OBJECT
public:
    // `filesDir` is where stored pictures lie.
    frmImgBox(ImageBoxList box, QString filesDir, Dialogs& dialogs, Outlets& outlets,
              QWidget* parent = nullptr);

    // The list as the slots show it (what cmdSave hands back).
    ImageBoxList box() const;

    // Several files may be chosen: the first goes into slot k, the rest into the free slots.
    void boxcmdUp_Click(int k);
    void boxcmdDel_Click(int k);
    void boxImg_Click(int k);
    void boxImg_DblClick(int k);
    // Chosen or dropped files into the free slots; says so when some found no room.
    void addPictures(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString pathOf(int k) const;
    bool readable(const QString& path);
    void showSlot(int k);

    ImageBoxList m_box;
    QString m_filesDir;
    Dialogs& m_dialogs;
    Outlets& m_outlets;
    std::array<QLabel*, ImageBoxList::kSlots> m_images{};
    std::array<QCheckBox*, ImageBoxList::kSlots> m_publish{};
    QLabel* m_large = nullptr;
};

} // namespace teran
