#include "PersonFields.h"
#include <QBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "ui/widgets/Named.h"
#include "ui/widgets/RegionCascade.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace teran {

QLineEdit* personField(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

QComboBox* personCombo(QWidget* parent, const char* name, bool editable) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(editable);
    return box;
}

QLayout* addressRow(QWidget* parent, QLineEdit* lot, const QStringList& names) {
    auto* row = new QHBoxLayout;
    const QStringList combos = names.isEmpty() ? QStringList{QStringLiteral("addr1"), QStringLiteral("addr2"),
                                                             QStringLiteral("addr3")}
                                               : names;
    for (const QString& name : combos) {
        auto* box = new QComboBox(parent);
        box->setObjectName(name);
        row->addWidget(box);
    }
    if (lot) {
        lot->setPlaceholderText(QStringLiteral("지번"));
        row->addWidget(lot);
    }
    return row;
}

void showContact(const ContactBoxes& b, const Contact& c) {
    b.name->setText(c.name);
    b.email->setText(c.email);
    b.homtel->setText(c.homtel);
    b.hantel->setText(c.hantel);
    b.office->setText(c.office);
    b.fax->setText(c.fax);
    b.addr4->setText(c.addr4);
}

Contact contactOf(const ContactBoxes& b, const QComboBox* group, const RegionCascade* region) {
    const RegionValues place = region ? region->values() : RegionValues();
    return {group->currentText().trimmed(),
            b.name->text().trimmed(),
            b.email->text().trimmed(),
            b.homtel->text().trimmed(),
            b.hantel->text().trimmed(),
            b.office->text().trimmed(),
            b.fax->text().trimmed(),
            place.addr1,
            place.addr2,
            place.addr3,
            b.addr4->text().trimmed()};
}

void offerGroupNames(QComboBox* combo, const QStringList& groups) {
    const QString typed = combo->currentText();
    combo->clear();
    combo->addItems(groups);
    combo->setCurrentText(typed);
}

QSpinBox* addToleranceBox(QBoxLayout* row, QWidget* parent) {
    row->addWidget(new QLabel(QStringLiteral("허용 오차 ±"), parent));
    auto* box = named(new QSpinBox(parent), "txtTolerance");
    box->setRange(0, 50);
    box->setSuffix(QStringLiteral(" %"));
    row->addWidget(box);
    return box;
}

} // namespace teran
