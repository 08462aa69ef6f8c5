#include "GameDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

namespace {

const char* const kActions[] = {"Left", "Right", "Down", "Rotate", "Pause"};

} // namespace

GameScores::GameScores(const game::GameFiles& files, QWidget* parent)
    : QDialog(parent)
    , m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("GameScores"));
    setWindowTitle(QStringLiteral("High scores"));
    m_list->setObjectName(QStringLiteral("List1"));
    const std::pair<game::Mode, QString> modes[] = {
        {game::Mode::OneLevel, QStringLiteral("One level (OL)")},
        {game::Mode::AllLevels, QStringLiteral("All levels (AL)")}};
    for (const auto& [mode, caption] : modes) {
        m_list->addItem(caption);
        int place = 0;
        for (const game::ScoreEntry& entry : files.scores(mode))
            m_list->addItem(QStringLiteral("%1. %2 - %3").arg(++place, 2).arg(entry.name).arg(entry.score));
        if (place == 0)
            m_list->addItem(QStringLiteral("    -"));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(320, 420);
}

Gamemer::Gamemer(int score, QWidget* parent)
    : QDialog(parent)
    , m_name(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Gamemer"));
    setWindowTitle(QStringLiteral("New high score"));
    m_name->setObjectName(QStringLiteral("txName"));
    m_name->setMaxLength(20);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("You have a new high score: %1 points.\nYour name:").arg(score), this));
    layout->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString Gamemer::name() const {
    const QString typed = m_name->text().simplified();
    return typed.isEmpty() ? QStringLiteral("Player") : typed;
}

GameControl::GameControl(const game::GameKeys& keys, QWidget* parent)
    : QDialog(parent)
    , m_keys(keys) {
    setObjectName(QStringLiteral("GameControl"));
    setWindowTitle(QStringLiteral("Controls"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtKey_%1").arg(i));
        box->setReadOnly(true);
        box->installEventFilter(this);
        box->setToolTip(QStringLiteral("Press the key for this action"));
        form->addRow(QLatin1String(kActions[i]), box);
        m_boxes << box;
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("cmdOk"));
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (cmdOk_Click())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showKeys();
}

void GameControl::showKeys() {
    for (int i = 0; i < 5; ++i)
        m_boxes[i]->setText(game::keyName(m_keys.of(i)));
}

void GameControl::setKey(int action, int code) {
    if (action < 0 || action >= 5 || code == 0)
        return;
    m_keys.of(action) = code;
    showKeys();
}

bool GameControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int action = int(m_boxes.indexOf(qobject_cast<QLineEdit*>(watched)));
        if (action >= 0) {
            setKey(action, game::keyCodeOf(static_cast<QKeyEvent*>(event)->key()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool GameControl::cmdOk_Click() {
    if (!m_keys.oneKeyForTwoActions())
        return true;
    const QString text = QStringLiteral("You Can use one key for two options.Thanks!");
    Q_EMIT messageShown(text);
    if (isVisible())
        QMessageBox::warning(this, windowTitle(), text);
    return false;
}

} // namespace teran
