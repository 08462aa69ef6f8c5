#pragma once

#include "core/session/Dialogs.h"

class QWidget;

namespace teran {

// The program's real message boxes and file dialogs.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr)
        : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    DialogAnswer message(const QString& text, const QString& title, DialogIcon icon,
                         DialogButtons buttons) override;
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override;
    QStringList openFileNames(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter) override;
    QString existingFolder(const QString& title, const QString& folder) override;

private:
    QWidget* m_parent;
};

} // namespace teran
