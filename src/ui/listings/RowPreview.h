#pragma once

#include "ListWindow.h"

#include <QWidget>

class QLabel;

namespace teran {

// The two picture boxes (`imgname1`, `imgname2`) and the info label of the frame window,
// showing the listing last clicked in a list window.
class RowPreview : public QWidget {
    Q_OBJECT
public:
    explicit RowPreview(QWidget* parent = nullptr);

    // Pictures that are not given or cannot be read leave their box empty.
    void showRow(const RowInfo& info);
    void clear();

    static constexpr int kPictureWidth = 160;
    static constexpr int kPictureHeight = 120;

private:
    static void showPicture(QLabel* box, const QString& file);

    QLabel* m_picture1;
    QLabel* m_picture2;
    QLabel* m_info;
    int m_number = 0;
};

} // namespace teran
