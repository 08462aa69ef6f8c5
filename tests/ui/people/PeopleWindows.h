#pragma once

#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/people/BuyerRegister.h"
#include "core/session/WorkNotes.h"
#include "ui/people/frmMaesu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>

namespace teran::test {

// The texts of one column of a list, top to bottom.
inline QStringList columnOf(const QTreeWidget* list, int column) {
    QStringList cells;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        cells << list->topLevelItem(i)->text(column);
    return cells;
}

// The captions of a tab bar, left to right.
inline QStringList tabsOf(const QTabBar* bar) {
    QStringList texts;
    for (int i = 0; i < bar->count(); ++i)
        texts << bar->tabText(i);
    return texts;
}

// A buyer of a 20–30평 apartment for 10,000–20,000 만원, typed into the register and saved.
inline bool typeBuyer(frmMaesu& window, const QString& name, bool secret = false) {
    window.cmdNew_Click();
    control<QLineEdit>(window, "txtName")->setText(name);
    control<QComboBox>(window, "cboTb")->setCurrentText("아파트");
    control<QComboBox>(window, "cboTy")->setCurrentText("매매");
    control<QComboBox>(window, "Sp1")->setCurrentText("20");
    control<QComboBox>(window, "Sp2")->setCurrentText("30");
    control<QComboBox>(window, "Sm1")->setCurrentText("10,000");
    control<QComboBox>(window, "Sm2")->setCurrentText("20,000");
    control<QCheckBox>(window, "opidMaesu")->setChecked(secret);
    return window.cmdSave_Click();
}

// The office "off1" logged in as its main account on the embedded server, with its staff st1 and
// st2; the windows it opens and the pages it prints are taken by the office's outlets.
class PeopleWindowTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        TERAN_REQUIRE_SERVICE(office != nullptr, "the test office");
    }
    // The texts of a person's notes as the store keeps them.
    QStringList notesOf(int number, const QString& kind = NoteKind::Buyer) {
        QStringList texts;
        for (const WorkNote& n : WorkNoteBook(office->session()).of(kind, number))
            texts << n.work;
        return texts;
    }
    // A buyer for sale stored as the register stores him; his number.
    int storeBuyer(const QString& name, const QString& type = {}) {
        Buyer b;
        b.contact.name = name;
        b.tb = type;
        b.ty = type.isEmpty() ? QString() : QStringLiteral("매매");
        return BuyerRegister(office->session()).save({b, false, false, {}, {}}).number;
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace teran::test
