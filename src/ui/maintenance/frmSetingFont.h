#pragma once

#include <QDialog>

class QComboBox;
class QTreeWidget;

namespace teran {

class Session;

// 글꼴설정: the font size of the listing grids, for every desk of the office.
class frmSetingFont : public QDialog {
    Q_OBJECT
public:
    explicit frmSetingFont(Session& session, QWidget* parent = nullptr);

    int chosenSize() const;
    void choose(int points);
    bool cmdSave_Click();

private:
    void rebuildPreview();

    Session& m_session;
    QComboBox* m_sizes;
    QTreeWidget* m_preview;
};

} // namespace teran
