#pragma once

#include "RegionCascade.h"

#include <QWidget>

namespace teran {

// The three region combos side by side, with their cascade, for windows that have no combos
// of their own to attach it to. The regions come from the postal table; setRegions() on the
// cascade offers a fixed list instead.
class RegionBox : public QWidget {
    Q_OBJECT
public:
    explicit RegionBox(Session& session, QWidget* parent = nullptr, const RegionNames& names = {});

    RegionCascade& cascade() { return *m_cascade; }
    RegionValues values() const { return m_cascade->values(); }
    void setValues(const RegionValues& values) { m_cascade->setValues(values); }

private:
    RegionCascade* m_cascade;
};

} // namespace teran
