#pragma once

#include "core/session/SettingsStore.h"

#include <QDialog>
#include <QMap>

class QLineEdit;

namespace teran {

class Session;

// 환경설정: the default region of every property type (and of "all"), which the shared and club
// lists open with. Each key has three boxes (시/도, 시/군/구, 읍/면/동) and a button that picks
// the region from the postal table.
class frmSeting : public QDialog {
    Q_OBJECT
public:
    explicit frmSeting(Session& session, QWidget* parent = nullptr);

    // The regions as the boxes hold them, and the boxes filled from regions.
    QMap<QString, RegionDefault> regions() const;
    void showRegions(const QMap<QString, RegionDefault>& regions);

    // The key's button: the region picker, its choice written into the key's boxes.
    void pickRegion(const QString& key);
    void cmdSave_Click();
    void cmdReset_Click();

Q_SIGNALS:
    // The picker is open (tests answer it); it is modal.
    void pickerOpened(QDialog* picker);

private:
    QWidget* buildKeys();
    QLineEdit* box(const QString& key, int part) const;

    Session& m_session;
    QMap<QString, QLineEdit*> m_boxes; // key + part number
};

} // namespace teran
