#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// How a field of the registration form takes its value.
enum class InputKind {
    Text,        // free text
    Count,       // a whole number, shown as typed
    Money,       // 만원 (or 원 where the caption says so), shown "#,##0"
    Area,        // 평, with its ㎡ text kept beside it
    FixedCombo,  // one of the fixed items of the type rules (typing another stays possible)
    StoredCombo, // the values stored earlier for the same type, then the fixed items
};

// The frames of the registration form, in the order the form shows them.
enum class FormSection {
    General, // 일반정보: type, form, address, name, areas, keyword
    Sale,    // 매매가능조건
    Lease,   // 임대가능조건
    Land,    // the land-price panel of the building and land types
    Object,  // 물건정보
    Detail,  // the type's own detail fields
    Seller,  // 매도자정보
};

// One field of the form for one property type.
struct TypeField {
    QString column; // the `maemul` column it fills
    QString caption;
    InputKind kind = InputKind::Text;
    FormSection section = FormSection::General;
    QStringList items; // the fixed items of a combo (after the stored ones for StoredCombo)
};

// What the registration window, the lists and the shared copy know of one property type.
struct TypeRules {
    QString tb;
    QString formLabel; // what `cboTb` calls the type
    // The name field (`cboname`): caption and placeholder, empty for the types without one.
    QString nameCaption;
    bool namesFromStore = false; // the name box lists the names stored for the type
    QStringList nameItems;       // fixed names (the business types of a shop)
    // Captions of `pyung` and `pyung_use`; the second is empty where the type has one area.
    QString firstArea;
    QString secondArea;
    bool landPanel = false; // `framoney2`: building value and land price per 평
    // `maemultype`: captioned "분류" and filled from the store, then `forms`, for the building
    // and other types; else captioned "형태" with the fixed transaction forms.
    bool formsFromStore = false;
    QStringList forms;
    // Columns of the type's part of the own and the shared lists, as the grids caption them.
    QStringList ownList;
    QStringList serverList;
    // Every field the form shows for the type, frame by frame, in the order of the form.
    QList<TypeField> fields;

    bool hasName() const { return !nameCaption.isEmpty(); }
    bool hasSecondArea() const { return !secondArea.isEmpty(); }
    QString formCaption() const;
    // nullptr for a field the type does not show.
    const TypeField* field(const QString& column) const;
    bool shows(const QString& column) const { return field(column) != nullptr; }
    QList<TypeField> fieldsIn(FormSection section) const;
    // The columns that the type publishes in its shared copy besides the head and tail of every
    // copy: its address, name, areas, amounts and detail fields.
    QStringList publishedColumns() const;
};

// The rules of a type code; nullptr for a code that is not one of the 19.
const TypeRules* typeRules(const QString& tb);
// The 19 types in the order `cboTb` offers them.
QList<const TypeRules*> typeRulesInFormOrder();

// Every field that some type shows, once, with its usual caption and input and the frame it
// first appears in; the form makes one editor for each.
const QList<TypeField>& allFormFields();

// The fields a type never shows keep their values and are saved; these captions name every
// column that some type shows, for messages about a field without a type ("입주가능일").
QString anyCaptionOf(const QString& column);

// The transaction letter (`ty`: M, J, W) of a form chosen in `maemultype`: 전세 J, 월세 and
// 전/월 W, everything else (매매, the mixed forms, the classes of buildings) M.
QString transactionOfForm(const QString& form);

// The regions `addr1` offers, in the form's order.
QStringList registrationRegions();

// The building years `makedate` offers: this year down to 1960.
QStringList buildingYears(int currentYear);

} // namespace teran
