#include "RegionCascade.h"

#include "ComboFill.h"
#include "core/register/AddressBook.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"

#include <QComboBox>
#include <QScopedValueRollback>
#include <QWidget>

namespace teran {

RegionCascade::RegionCascade(Session& session, QComboBox* addr1, QComboBox* addr2, QComboBox* addr3,
                             QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_addr1(addr1)
    , m_addr2(addr2)
    , m_addr3(addr3) {
    combo::ensurePlaceholder(addr1, regionPlaceholder());
    combo::ensurePlaceholder(addr2, districtPlaceholder());
    combo::ensurePlaceholder(addr3, townPlaceholder());
    connect(addr1, &QComboBox::currentIndexChanged, this, &RegionCascade::onRegionChosen);
    connect(addr2, &QComboBox::currentIndexChanged, this, &RegionCascade::onDistrictChosen);
}

RegionCascade* RegionCascade::attach(Session& session, QWidget* window, const RegionNames& names) {
    auto* addr1 = window->findChild<QComboBox*>(names.addr1);
    auto* addr2 = window->findChild<QComboBox*>(names.addr2);
    auto* addr3 = window->findChild<QComboBox*>(names.addr3);
    if (!addr1 || !addr2 || !addr3)
        return nullptr;
    return new RegionCascade(session, addr1, addr2, addr3, window);
}

void RegionCascade::loadRegions() {
    setRegions(attemptStore(m_session, QStringLiteral("LoadRegions => "), [&] {
                   return AddressBook(m_session).regions();
               }).valueOr({}));
}

void RegionCascade::setRegions(const QStringList& regions) {
    if (!m_addr1 || !m_addr2 || !m_addr3)
        return;
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    combo::refill(m_addr1, regionPlaceholder(), regions);
    combo::refill(m_addr2, districtPlaceholder());
    combo::refill(m_addr3, townPlaceholder());
}

QStringList RegionCascade::regions() const {
    return m_addr1 ? combo::itemsAfterPlaceholder(m_addr1) : QStringList();
}

void RegionCascade::setValues(const RegionValues& values) {
    if (!m_addr1 || !m_addr2 || !m_addr3)
        return;
    combo::selectValue(m_addr1, values.addr1);
    combo::selectValue(m_addr2, values.addr2);
    combo::selectValue(m_addr3, values.addr3);
}

RegionValues RegionCascade::values() const {
    if (!m_addr1 || !m_addr2 || !m_addr3)
        return {};
    return {combo::chosen(m_addr1, {regionPlaceholder()}), combo::chosen(m_addr2, {districtPlaceholder()}),
            combo::chosen(m_addr3, {townPlaceholder()})};
}

void RegionCascade::onRegionChosen() {
    if (m_clickEnabled)
        FillAddr2();
}

void RegionCascade::onDistrictChosen() {
    if (m_clickEnabled)
        FillAddr3();
}

void RegionCascade::FillAddr2() {
    if (!m_addr1 || !m_addr2 || !m_addr3)
        return;
    const QString region = combo::chosen(m_addr1, {regionPlaceholder()});
    if (region.isEmpty())
        return;
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    combo::refill(m_addr2, districtPlaceholder());
    m_addr2->addItems(attemptStore(m_session, QStringLiteral("FillAddr2 => "), [&] {
                          return AddressBook(m_session).districts(region);
                      }).valueOr({}));
    combo::refill(m_addr3, townPlaceholder());
}

void RegionCascade::FillAddr3() {
    if (!m_addr1 || !m_addr2 || !m_addr3)
        return;
    const QString district = combo::chosen(m_addr2, {districtPlaceholder()});
    if (district.isEmpty())
        return;
    const QString region = combo::chosen(m_addr1, {regionPlaceholder()});
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    combo::refill(m_addr3, townPlaceholder());
    m_addr3->addItems(attemptStore(m_session, QStringLiteral("FillAddr3 => "), [&] {
                          return AddressBook(m_session).towns(region, district);
                      }).valueOr({}));
}

} // namespace teran
