#pragma once

#include <QGroupBox>
#include <QString>
#include <array>

class QLabel;

namespace teran {

class Dialogs;
class Outlets;

// `fraPictures`, the listing's two pictures: each shown as a thumbnail (a double click shows it
// large), chosen from a file (사진등록) or taken off (삭제). It keeps, per picture, the file
// chosen since the last save and the name stored with the listing, which the save takes.
class PictureSlots : public QGroupBox {
    Q_OBJECT
public:
    using Names = std::array<QString, 2>;

    PictureSlots(Dialogs& dialogs, Outlets& outlets, QWidget* parent = nullptr);

    const Names& chosen() const { return m_chosen; }
    const Names& stored() const { return m_stored; }
    // Shows the pictures stored with a listing (names in `filesFolder`); nothing is chosen.
    void showStored(const Names& stored, const QString& filesFolder);
    void clear() { showStored({}, QString()); }
    // After a save: the names now stored; the pictures shown stay.
    void markSaved(const Names& stored) {
        m_stored = stored;
        m_chosen = {};
    }

Q_SIGNALS:
    // 이미지박스 was pressed.
    void imageBoxRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach(int picture);
    void remove(int picture);
    void showLarge(int picture);

    Dialogs& m_dialogs;
    Outlets& m_outlets;
    std::array<QLabel*, 2> m_pictures{};
    Names m_chosen; // files chosen since the last save
    Names m_stored; // names stored with the listing
};

} // namespace teran
