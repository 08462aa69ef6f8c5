#pragma once

#include "core/game/GameFiles.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace teran {

// GameScores: the high-score lists of both modes.
class GameScores : public QDialog {
    Q_OBJECT
public:
    GameScores(const game::GameFiles& files, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
};

// Gamemer: the name of a player with a new high score.
class Gamemer : public QDialog {
    Q_OBJECT
public:
    Gamemer(int score, QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* m_name;
};

// GameControl: one key for each action, typed into its box; one key for two actions is refused.
class GameControl : public QDialog {
    Q_OBJECT
public:
    GameControl(const game::GameKeys& keys, QWidget* parent = nullptr);
    game::GameKeys keys() const { return m_keys; }
    // Sets an action's key as if typed (0 left … 4 pause).
    void setKey(int action, int code);
    // cmdOk: false (and said why) when a key serves two actions.
    bool cmdOk_Click();

Q_SIGNALS:
    void messageShown(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showKeys();

    game::GameKeys m_keys;
    QList<QLineEdit*> m_boxes;
};

} // namespace teran
