#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace teran {

class Session;

// The subway line and station combos of the registration window: the lines are filled once,
// choosing a line fills its stations.
class StationPicker : public QObject {
    Q_OBJECT
public:
    StationPicker(Session& session, QComboBox* sline, QComboBox* station, QObject* parent = nullptr);
    // Works on the window's combos `sline` and `station`; nullptr when one is missing.
    static StationPicker* attach(Session& session, QWidget* window);

    static QString linePlaceholder() { return QStringLiteral("지하철호선"); }
    static QString stationPlaceholder() { return QStringLiteral("역선택"); }
    // The placeholder of the station list once a line is chosen.
    static QString lineStationPlaceholder() { return QStringLiteral(" 역선택 "); }

    // "지하철호선" and the lines of the subway table; the stations wait at "역선택".
    void fillLines();
    // A stored line and station, chosen through the picker; values missing from the lists are
    // added, empty ones leave the placeholders.
    void setValues(const QString& line, const QString& station);
    // Empty text for a placeholder.
    QString line() const;
    QString station() const;

    // The stations of the chosen line. Choosing the placeholder line empties the station list
    // again, so that no station is kept without its line.
    void FillStations();

private:
    void onLineChosen();

    Session& m_session;
    QPointer<QComboBox> m_sline;
    QPointer<QComboBox> m_station;
    bool m_clickEnabled = true;
};

} // namespace teran
