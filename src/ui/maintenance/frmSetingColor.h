#pragma once

#include "core/session/SettingsStore.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QTreeWidget;

namespace teran {

class Session;

// 목록 색상설정: the logged-in user's rule for marking the own list's rows that were registered
// or changed at least so many days ago: the date it looks at, the days, the colour and bold.
class frmSetingColor : public QDialog {
    Q_OBJECT
public:
    explicit frmSetingColor(Session& session, QWidget* parent = nullptr);

    // The rule as the controls hold it, and the controls set from a rule.
    ColorRule rule() const;
    void showRule(const ColorRule& rule);

    void lblColor_Click(int index);
    bool cmdSave_Click();

private:
    QWidget* buildSwatches();
    void rebuildPreview();

    Session& m_session;
    QButtonGroup* m_date;
    QComboBox* m_days;
    QLabel* m_sample;
    QCheckBox* m_bold;
    QTreeWidget* m_preview;
    quint32 m_color = 0;
};

} // namespace teran
