#pragma once

#include "core/people/Contact.h"

class QComboBox;
class QLayout;
class QLineEdit;
class QWidget;

class QBoxLayout;
class QSpinBox;

namespace teran {

class RegionCascade;

// The boxes of a person's contact in a panel: name, e-mail, phones, fax and the rest of the
// address (the region, district and town are the panel's RegionCascade).
struct ContactBoxes {
    QLineEdit* name;
    QLineEdit* email;
    QLineEdit* homtel;
    QLineEdit* hantel;
    QLineEdit* office;
    QLineEdit* fax;
    QLineEdit* addr4;
};

QLineEdit* personField(QWidget* parent, const char* name);
QComboBox* personCombo(QWidget* parent, const char* name, bool editable);
// The three region combos named `names` (addr1.. or addre1..) and, when given, the lot box.
QLayout* addressRow(QWidget* parent, QLineEdit* lot, const QStringList& names);
void showContact(const ContactBoxes& boxes, const Contact& contact);
Contact contactOf(const ContactBoxes& boxes, const QComboBox* group, const RegionCascade* region);
// The group combo offers the groups stored, keeping what was typed.
void offerGroupNames(QComboBox* combo, const QStringList& groups);
// The match lists' tolerance box `txtTolerance` (0–50 %) with its caption, added to the row.
QSpinBox* addToleranceBox(QBoxLayout* row, QWidget* parent);

} // namespace teran
