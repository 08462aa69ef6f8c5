#pragma once

#include "core/listing/ListingRepository.h"
#include "core/register/RegisterTexts.h"

#include <QGroupBox>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace teran {

// The sharing options of the registration window: `chkInternet` and its summary `lblie`, and the
// frame `fra_ie` ("온라인공유설정") with where the listing is advertised, its grades, what of the
// address and name other offices see, the areas and floors they see, which pictures go with it
// and the memo for them.
class SharingFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit SharingFrame(QWidget* parent = nullptr);

    QCheckBox* shareBox() const { return m_share; }
    QLabel* summaryLabel() const { return m_summary; }

    bool shared() const;
    void setShared(bool shared);
    // Sharing needs the vendor server: without it the options cannot be changed.
    void setOnline(bool online);
    bool gradeChosen() const;
    void clearGrades();
    // What the save publishes; the time is the server's, set by the save.
    Disclosure disclosure() const;

    // The shared-only columns kept in the local row (`*_ie`, `bigoie`).
    ListingRow values() const;
    // From a stored row, and (when there is one) from its shared copy: the disclosure boxes are
    // ticked for the parts the copy shows.
    void setValues(const ListingRow& row, const std::optional<ListingRow>& sharedCopy);
    void clear();
    // The first tick of a listing that has no shared copy starts from the real areas and floors.
    void startFrom(const QString& pyung, const QString& pyungUse, const QString& floor,
                   const QString& floorMax);
    void showSecondArea(bool shown);
    // The types with a name field may also withhold the name.
    void showName(bool shown);
    void updateSummary();

Q_SIGNALS:
    void closeRequested(); // cmdieClose

private:
    void enableOptions(bool on);
    void showScope(const Disclosure& scope);
    void randomise();

    QCheckBox* m_share;
    QLabel* m_summary;
    QComboBox* m_state;
    QButtonGroup* m_grades;
    QButtonGroup* m_ownGrades;
    std::array<QCheckBox*, 4> m_addr{};
    QCheckBox* m_name;
    QLabel* m_scope;
    QLineEdit* m_pyung;
    QLineEdit* m_pyungUse;
    QLineEdit* m_floor;
    QLineEdit* m_floorMax;
    std::array<QCheckBox*, 2> m_pictures{};
    QPlainTextEdit* m_memo;
    bool m_online = true;
};

} // namespace teran
