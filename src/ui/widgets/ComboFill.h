#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace teran::combo {

// Clears the combo, adds the placeholder and the items after it, and selects the placeholder.
void refill(QComboBox* box, const QString& placeholder, const QStringList& items = {});

// Adds the placeholder to a combo that has no items yet.
void ensurePlaceholder(QComboBox* box, const QString& placeholder);

// Selects the item with this text. A text the combo lacks is added first, so a stored value
// is never lost for want of a list entry; an empty text selects the first item (the placeholder).
void selectValue(QComboBox* box, const QString& value);

// The chosen text; empty when nothing or one of the placeholders is chosen.
QString chosen(const QComboBox* box, const QStringList& placeholders);

// The items after the first one (the placeholder).
QStringList itemsAfterPlaceholder(const QComboBox* box);

} // namespace teran::combo
