#include "RegionBox.h"

#include <QComboBox>
#include <QHBoxLayout>

namespace teran {

namespace {
QComboBox* regionCombo(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}
} // namespace

RegionBox::RegionBox(Session& session, QWidget* parent, const RegionNames& names)
    : QWidget(parent) {
    auto* addr1 = regionCombo(names.addr1, this);
    auto* addr2 = regionCombo(names.addr2, this);
    auto* addr3 = regionCombo(names.addr3, this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(addr1);
    row->addWidget(addr2);
    row->addWidget(addr3);
    m_cascade = new RegionCascade(session, addr1, addr2, addr3, this);
    m_cascade->loadRegions();
}

} // namespace teran
