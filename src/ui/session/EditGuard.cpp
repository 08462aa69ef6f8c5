#include "EditGuard.h"

#include "core/session/Dialogs.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>

namespace teran {

EditGuard::EditGuard(Dialogs& dialogs, QString title, Snapshot snapshot, Save save)
    : m_dialogs(dialogs)
    , m_title(std::move(title))
    , m_snapshot(std::move(snapshot))
    , m_save(std::move(save)) {}

EditGuard::EditGuard(Dialogs& dialogs, QString title, const QWidget* window, Save save)
    : EditGuard(
          dialogs, std::move(title), [window] { return controlsOf(window); }, std::move(save)) {}

namespace {

// The value a control holds for the record; invalid for one that holds none (a button, a label,
// a box the user cannot edit).
QVariant valueOf(const QWidget* control) {
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return line->isReadOnly() ? QVariant() : QVariant(line->text());
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return plain->isReadOnly() ? QVariant() : QVariant(plain->toPlainText());
    if (const auto* rich = qobject_cast<const QTextEdit*>(control))
        return rich->isReadOnly() ? QVariant() : QVariant(rich->toPlainText());
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->isEditable() ? QVariant(combo->currentText()) : QVariant(combo->currentIndex());
    if (const auto* date = qobject_cast<const QDateTimeEdit*>(control))
        return date->dateTime();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return spin->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isCheckable() ? QVariant(button->isChecked()) : QVariant();
    if (const auto* table = qobject_cast<const QTableWidget*>(control)) {
        QStringList cells;
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        return cells;
    }
    return {};
}

} // namespace

QVariant EditGuard::controlsOf(const QWidget* root) {
    QVariantList values;
    // A combo's own line edit is the combo's text already.
    for (const QWidget* control : root->findChildren<QWidget*>()) {
        if (qobject_cast<const QComboBox*>(control->parentWidget()) ||
            qobject_cast<const QAbstractSpinBox*>(control->parentWidget()))
            continue;
        const QVariant value = valueOf(control);
        if (value.isValid())
            values << control->objectName() << value;
    }
    return values;
}

void EditGuard::markClean() {
    m_clean = m_snapshot();
}

bool EditGuard::dirty() const {
    return m_snapshot() != m_clean;
}

bool EditGuard::allowLeave() {
    if (!dirty())
        return true;
    switch (m_dialogs.message(leaveQuestion(), m_title, DialogIcon::Question, DialogButtons::YesNoCancel)) {
    case DialogAnswer::Yes:
        if (!m_save())
            return false;
        markClean();
        return true;
    case DialogAnswer::No:
        return true;
    default:
        return false;
    }
}

QString EditGuard::leaveQuestion() {
    return QStringLiteral("저장하지 않은 변경 내용이 있습니다.\r\n\r\n"
                          "예: 저장하고 닫기\r\n아니오: 저장하지 않고 닫기\r\n취소: 계속 입력하기");
}

QString EditGuard::nothingChanged() {
    return QStringLiteral("변경된 내용이 없어 저장하지 않았습니다.");
}

} // namespace teran
