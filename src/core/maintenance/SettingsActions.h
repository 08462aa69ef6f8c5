#pragma once

#include "core/session/SettingsStore.h"

#include <QList>
#include <QMap>
#include <QString>

namespace teran {

class Session;

// The work of the three settings windows: the default region of each property type, the
// colour rule of the own list (per user) and the font size of the listing grids. Each action
// says its outcome in the office's words; a store failure is written to the daily log and shown.
class SettingsActions {
public:
    explicit SettingsActions(Session& session);

    // --- default regions (환경설정) ---
    // Every key of SettingsStore::regionKeys() with its stored region; empty regions for keys
    // without a row. Empty when the office database cannot be read (logged and shown).
    QMap<QString, RegionDefault> regions();
    // The regions of every key in one step. A key whose row an older database lacks gets it,
    // so that nothing typed is dropped. True when saved.
    bool saveRegions(const QMap<QString, RegionDefault>& regions);
    // Every key set to the member's own region (시/도 and 시/군/구 of its account on the
    // server), asked first; needs the server. True when reset.
    bool resetRegions();

    // --- colour rule (목록 색상설정) ---
    ColorRule colorRule();
    bool saveColorRule(const ColorRule& rule);
    // The colours offered as swatches, as colour numbers (red + green * 256 + blue * 65536).
    static QList<quint32> swatches();
    // The number of days as typed: digits only, empty for none.
    static std::optional<int> daysOf(const QString& text);

    // --- grid font size (글꼴설정) ---
    static QList<int> fontSizes();
    int fontSize();
    // Stores the size and makes it the size of every grid filled from now on.
    bool saveFontSize(int points);

private:
    Session& m_session;
};

} // namespace teran
