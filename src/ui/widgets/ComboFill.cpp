#include "ComboFill.h"

#include <QComboBox>

namespace teran::combo {

void refill(QComboBox* box, const QString& placeholder, const QStringList& items) {
    box->clear();
    box->addItem(placeholder);
    box->setCurrentIndex(0);
    box->addItems(items);
}

void ensurePlaceholder(QComboBox* box, const QString& placeholder) {
    if (box->count() == 0) {
        box->addItem(placeholder);
        box->setCurrentIndex(0);
    }
}

void selectValue(QComboBox* box, const QString& value) {
    if (value.isEmpty()) {
        box->setCurrentIndex(box->count() > 0 ? 0 : -1);
        return;
    }
    int index = box->findText(value, Qt::MatchExactly);
    if (index < 0) {
        box->addItem(value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

QString chosen(const QComboBox* box, const QStringList& placeholders) {
    if (box->currentIndex() < 0 && !box->isEditable())
        return {};
    const QString text = box->currentText();
    return placeholders.contains(text) ? QString() : text;
}

QStringList itemsAfterPlaceholder(const QComboBox* box) {
    QStringList items;
    for (int i = 1; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace teran::combo
