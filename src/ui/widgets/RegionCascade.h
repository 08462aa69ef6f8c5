#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace teran {

class Session;

// Object names of the three region combos of a window.
struct RegionNames {
    QString addr1 = QStringLiteral("addr1");
    QString addr2 = QStringLiteral("addr2");
    QString addr3 = QStringLiteral("addr3");
};

// The chosen region, district and town; empty text where a combo is at its placeholder.
struct RegionValues {
    QString addr1;
    QString addr2;
    QString addr3;
    bool operator==(const RegionValues&) const = default;
};

// The region cascade of the search and edit windows: choosing a region fills the districts
// from the postal table, choosing a district fills the towns. It works on combos the window
// already has; RegionBox offers the three combos ready made.
class RegionCascade : public QObject {
    Q_OBJECT
public:
    RegionCascade(Session& session, QComboBox* addr1, QComboBox* addr2, QComboBox* addr3,
                  QObject* parent = nullptr);
    // Works on the window's combos of these names; nullptr when one of them is missing.
    static RegionCascade* attach(Session& session, QWidget* window, const RegionNames& names = {});

    static QString regionPlaceholder() { return QStringLiteral("지역"); }
    static QString districtPlaceholder() { return QStringLiteral("시/군/구"); }
    static QString townPlaceholder() { return QStringLiteral("읍/면/동"); }

    // The regions offered: those of the postal table, or a fixed list of the window's own.
    void loadRegions();
    void setRegions(const QStringList& regions);
    QStringList regions() const;

    // Chooses the three values through the cascade; a value missing from its list is added.
    void setValues(const RegionValues& values);
    RegionValues values() const;

    // Step 2: a region chosen gives its districts and resets the towns.
    void FillAddr2();
    // Step 3: a district chosen gives its towns.
    void FillAddr3();

    QComboBox* addr1() const { return m_addr1; }
    QComboBox* addr2() const { return m_addr2; }
    QComboBox* addr3() const { return m_addr3; }

private:
    void onRegionChosen();
    void onDistrictChosen();

    Session& m_session;
    QPointer<QComboBox> m_addr1;
    QPointer<QComboBox> m_addr2;
    QPointer<QComboBox> m_addr3;
    // Off while a step refills the combos, so that the refill does not run the next step.
    bool m_clickEnabled = true;
};

} // namespace teran
