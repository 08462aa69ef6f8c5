#pragma once

#include <QVariant>
#include <functional>

class QWidget;

namespace teran {

class Dialogs;

// Keeps a window that edits a record from dropping what the user typed: the window says what
// its controls hold now (a snapshot) and how it saves; the guard remembers the snapshot of the
// last load or save and, before the window closes or starts over, asks save / discard / stay.
class EditGuard {
public:
    using Snapshot = std::function<QVariant()>;
    // Saves what the window shows; true when it was stored (the window may then close).
    using Save = std::function<bool()>;

    EditGuard(Dialogs& dialogs, QString title, Snapshot snapshot, Save save);
    // A window whose record is what its controls hold: the snapshot is controlsOf(window).
    EditGuard(Dialogs& dialogs, QString title, const QWidget* window, Save save);

    // What the controls hold now is what is stored.
    void markClean();
    bool dirty() const;
    // True when the window may drop its values: nothing changed, the user saved them, or chose
    // to discard them. False when the user stays (or the save failed).
    bool allowLeave();

    // What the editable controls under `root` hold (text boxes, combos, dates, ticks, tables),
    // by name and order: two equal values hold the same record.
    static QVariant controlsOf(const QWidget* root);

    static QString leaveQuestion();
    // What a save that changes nothing says instead of "saved".
    static QString nothingChanged();

private:
    Dialogs& m_dialogs;
    QString m_title;
    Snapshot m_snapshot;
    Save m_save;
    QVariant m_clean;
};

} // namespace teran
