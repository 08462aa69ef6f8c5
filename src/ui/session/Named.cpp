#include "Named.h"

#include <QBoxLayout>
#include <QPushButton>

namespace teran {

QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& caption,
                       EnterKey enter) {
    auto* button = named(new QPushButton(caption, parent), name);
    if (enter == EnterKey::Ignored)
        button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace teran
