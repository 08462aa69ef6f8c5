#include "Named.h"

#include <QBoxLayout>
#include <QPushButton>

namespace teran {

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption, EnterKey enter) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (enter == EnterKey::Ignored)
        button->setAutoDefault(false);
    return button;
}

QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& caption,
                       EnterKey enter) {
    QPushButton* button = namedButton(parent, QLatin1String(name), caption, enter);
    row->addWidget(button);
    return button;
}

} // namespace teran
