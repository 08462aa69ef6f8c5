#pragma once

#include "core/listing/ListingRepository.h"
#include "core/listing/TypeFields.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace teran {

class Dialogs;

// The fields of the registration form, made from the per-type field table: one editor and one
// caption per column, laid out in the frames of the form, shown, captioned and filled as the
// chosen property type says. It knows nothing of stores: stored choices come from `choices`.
class ListingForm : public QObject {
    Q_OBJECT
public:
    // The values stored earlier in a column for a type (names, classes, builders).
    using StoredChoices = std::function<QStringList(const QString& tb, const QString& column)>;

    ListingForm(Dialogs& dialogs, StoredChoices choices, QObject* parent = nullptr);

    // The frame of a section, built on first use inside `parent`.
    QGroupBox* frame(FormSection section, QWidget* parent);

    // Shows the type's fields under its captions, in its order, and refills its combos. Values
    // typed stay, also in fields the type hides (they are saved all the same).
    void applyType(const TypeRules& rules);
    const TypeRules* rules() const { return m_rules; }
    // The next applyType lays out every frame and fills every box again, as the first one does.
    void forgetLayout();

    QWidget* editor(const QString& column) const;
    QLabel* caption(const QString& column) const;
    QString text(const QString& column) const;
    void setText(const QString& column, const QString& text);

    // Every column the form holds, as the save takes it: amounts without separators, an empty
    // box as no value.
    ListingRow values() const;
    // Fills the boxes from a stored row (amounts "#,##0", the yield "##0.#0").
    void setValues(const ListingRow& row);
    // Empties every box; the combos that always hold a choice go back to their first item.
    void clear();

    // Highlights the fields of facts an internet advertisement lacks (after a refused share);
    // an empty list clears the highlight.
    void markMissing(const QStringList& columns);
    static QString requiredMark();

    static QString objectNameOf(const QString& column);

Q_SIGNALS:
    // An amount or area was typed: the computed amounts follow.
    void amountsEdited();
    // An area box got the focus: the ㎡ converter works on it.
    void areaFocused(const QString& column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Field {
        QPointer<QLabel> caption;
        QPointer<QWidget> editor;
        InputKind kind = InputKind::Text;
        FormSection section = FormSection::General;
    };
    void makeField(const QString& column, InputKind kind, FormSection section, QWidget* parent);
    void layOut(FormSection section);
    void fillCombo(QComboBox* box, const QStringList& items);
    static QStringList sectionColumns(const TypeRules& rules, FormSection section);

    Dialogs& m_dialogs;
    StoredChoices m_choices;
    const TypeRules* m_rules = nullptr;
    QHash<QString, Field> m_fields;
    QStringList m_order; // columns in the order they were made
    QHash<int, QPointer<QGroupBox>> m_frames;
    QHash<int, QGridLayout*> m_grids;
    QHash<QString, QStringList> m_items; // what each combo holds, to refill only on a change
};

} // namespace teran
