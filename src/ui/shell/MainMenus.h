#pragma once

#include <optional>

#include "core/session/SettingsStore.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace teran {

// The menus of the frame window, every entry an action named as the office's manuals name it
// (`apt_m`, `internetin`, `exit` ...). It only builds them and says what was chosen; the frame
// window connects the entries to the classes that do the work.
class MainMenus : public QObject {
    Q_OBJECT
public:
    explicit MainMenus(QMenuBar* bar, QObject* parent = nullptr);

    // nullptr for a name that is no entry.
    QAction* action(const QString& name) const;
    QStringList names() const;
    // The entries that work on the ticked listings, for the list windows' pop-up menus.
    QMenu* listingMenu() const { return m_listing; }

    // The name of a type entry: the type code and _m, _j, _w or _b ("apt_m").
    static QString typeEntryName(const QString& tb, const QString& ty);
    // Entries whose windows come with a later version of the program: shown, but disabled.
    static QStringList laterEntries();
    // The vendor's web pages, by their page keys.
    static QStringList webPageKeys();

    // The three backup functions follow the office's permissions; the permission entries
    // themselves stay hidden from the staff.
    // The backup entries this login may run; for the office's main account also the check marks
    // of what its staff may run.
    void applyBackupPermissions(const BackupPermissions& permissions,
                                const std::optional<BackupPermissions>& staff);
    void tickStartPanel(StartPanel panel);
    // Web pages open only where the vendor's web host is configured.
    void enableWebPages(bool enabled);

Q_SIGNALS:
    void typeChosen(const QString& tb, const QString& label, const QString& ty);
    void startPanelChosen(teran::StartPanel panel);
    void webPageChosen(const QString& key);

private:
    QAction* add(QMenu* menu, const QString& name, const QString& text);
    void buildFile(QMenuBar* bar);
    void buildTypes(QMenuBar* bar);
    void buildListing(QMenuBar* bar);
    void buildPeople(QMenuBar* bar);
    void buildClubs(QMenuBar* bar);
    void buildSettings(QMenuBar* bar);
    void buildTools(QMenuBar* bar);
    void buildWeb(QMenuBar* bar);
    void markLater();

    QHash<QString, QAction*> m_actions;
    QStringList m_order;
    QMenu* m_listing = nullptr;
    QActionGroup* m_panels = nullptr;
};

} // namespace teran
