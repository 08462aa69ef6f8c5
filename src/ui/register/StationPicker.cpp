#include "StationPicker.h"

#include "core/register/AddressBook.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/ComboFill.h"

#include <QComboBox>
#include <QScopedValueRollback>
#include <QWidget>

namespace teran {

namespace {
const QString kLogLabel = QStringLiteral("FillStations => ");
} // namespace

StationPicker::StationPicker(Session& session, QComboBox* sline, QComboBox* station, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_sline(sline)
    , m_station(station) {
    combo::ensurePlaceholder(sline, linePlaceholder());
    combo::ensurePlaceholder(station, stationPlaceholder());
    connect(sline, &QComboBox::currentIndexChanged, this, &StationPicker::onLineChosen);
}

StationPicker* StationPicker::attach(Session& session, QWidget* window) {
    auto* sline = window->findChild<QComboBox*>(QStringLiteral("sline"));
    auto* station = window->findChild<QComboBox*>(QStringLiteral("station"));
    if (!sline || !station)
        return nullptr;
    return new StationPicker(session, sline, station, window);
}

void StationPicker::fillLines() {
    if (!m_sline || !m_station)
        return;
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    combo::refill(m_station, stationPlaceholder());
    combo::refill(m_sline, linePlaceholder());
    m_sline->addItems(
        attemptStore(m_session, kLogLabel, [&] { return AddressBook(m_session).lines(); }).valueOr({}));
}

void StationPicker::setValues(const QString& line, const QString& station) {
    if (!m_sline || !m_station)
        return;
    combo::selectValue(m_sline, line);
    if (!line.isEmpty())
        combo::selectValue(m_station, station);
}

QString StationPicker::line() const {
    return m_sline ? combo::chosen(m_sline, {linePlaceholder()}) : QString();
}

QString StationPicker::station() const {
    return m_station ? combo::chosen(m_station, {stationPlaceholder(), lineStationPlaceholder()}) : QString();
}

void StationPicker::onLineChosen() {
    if (m_clickEnabled)
        FillStations();
}

void StationPicker::FillStations() {
    if (!m_sline || !m_station)
        return;
    const QString chosenLine = line();
    const QScopedValueRollback<bool> busy(m_clickEnabled, false);
    if (chosenLine.isEmpty()) {
        combo::refill(m_station, stationPlaceholder());
        return;
    }
    combo::refill(m_station, lineStationPlaceholder());
    m_station->addItems(attemptStore(m_session, kLogLabel, [&] {
                            return AddressBook(m_session).stations(chosenLine);
                        }).valueOr({}));
}

} // namespace teran
