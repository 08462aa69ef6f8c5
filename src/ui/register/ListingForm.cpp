#include "ListingForm.h"

#include "core/register/AdvertisingFacts.h"

#include "core/contracts/NumberKeyCheck.h"
#include "core/listings/ListCellFormat.h"
#include "ui/widgets/NumericKeyCheck.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace teran {

namespace {

constexpr int kPairsPerRow = 2; // caption and editor, twice on a row

QString frameTitle(FormSection section) {
    switch (section) {
    case FormSection::General:
        return QStringLiteral(" ◎  일반정보");
    case FormSection::Sale:
        return QStringLiteral(" 매매가능조건 ");
    case FormSection::Lease:
        return QStringLiteral(" 임대가능조건 ");
    case FormSection::Land:
        return QStringLiteral("토지가격");
    case FormSection::Object:
        return QStringLiteral(" ◎  물건정보");
    case FormSection::Detail:
        return QStringLiteral("5. 단지정보");
    case FormSection::Seller:
        return QStringLiteral(" ◎ 매도자정보 (*단위:만원)");
    }
    return {};
}

QString frameName(FormSection section) {
    switch (section) {
    case FormSection::General:
        return QStringLiteral("fraGeneral");
    case FormSection::Sale:
        return QStringLiteral("fraSale");
    case FormSection::Lease:
        return QStringLiteral("fraLease");
    case FormSection::Land:
        return QStringLiteral("framoney2");
    case FormSection::Object:
        return QStringLiteral("fraObject");
    case FormSection::Detail:
        return QStringLiteral("fraMulgun");
    case FormSection::Seller:
        return QStringLiteral("fraMaedo");
    }
    return {};
}

const FormSection kSections[] = {FormSection::General, FormSection::Sale,   FormSection::Lease,
                                 FormSection::Land,    FormSection::Object, FormSection::Detail,
                                 FormSection::Seller};

bool isCombo(InputKind kind) {
    return kind == InputKind::FixedCombo || kind == InputKind::StoredCombo;
}

// Combos that always hold one of their items.
bool keepsAChoice(const QString& column) {
    return column == QLatin1String("maemaepart") || column == QLatin1String("elv") ||
           column == QLatin1String("poss");
}

QString captionName(const QString& column) {
    if (column == QLatin1String("pyung"))
        return QStringLiteral("lblPyung0");
    if (column == QLatin1String("pyung_use"))
        return QStringLiteral("lblPyung1");
    if (column == QLatin1String("maemultype"))
        return QStringLiteral("lbl_m9");
    return QStringLiteral("lbl_") + column;
}

// Area captions read "평수", a run of blanks and "평".
QString captionText(const TypeField& field) {
    if (field.kind == InputKind::Area)
        return field.caption + QStringLiteral("    평");
    return field.caption;
}

QString digitsOf(const QString& text) {
    QString digits = text.trimmed();
    digits.remove(QLatin1Char(','));
    return digits;
}

} // namespace

ListingForm::ListingForm(Dialogs& dialogs, StoredChoices choices, QObject* parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_choices(std::move(choices)) {}

QString ListingForm::objectNameOf(const QString& column) {
    if (column == QLatin1String("keyword"))
        return QStringLiteral("Keyword");
    if (column == QLatin1String("cboname"))
        return QStringLiteral("cboName");
    if (column == QLatin1String("line"))
        return QStringLiteral("sline");
    return column;
}

QGroupBox* ListingForm::frame(FormSection section, QWidget* parent) {
    if (QGroupBox* made = m_frames.value(int(section)))
        return made;
    auto* box = new QGroupBox(frameTitle(section), parent);
    box->setObjectName(frameName(section));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    m_frames.insert(int(section), box);
    m_grids.insert(int(section), grid);
    for (const TypeField& f : allFormFields())
        if (f.section == section)
            makeField(f.column, f.kind, section, box);
    return box;
}

void ListingForm::makeField(const QString& column, InputKind kind, FormSection section, QWidget* parent) {
    Field field;
    field.kind = kind;
    field.section = section;
    field.caption = new QLabel(parent);
    field.caption->setObjectName(captionName(column));
    QWidget* editor = nullptr;
    if (isCombo(kind)) {
        auto* box = new QComboBox(parent);
        box->setEditable(!keepsAChoice(column));
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(8);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        connect(box, &QComboBox::currentTextChanged, this, [this] { Q_EMIT amountsEdited(); });
        editor = box;
    } else {
        auto* line = new QLineEdit(parent);
        if (kind == InputKind::Money)
            NumericKeyCheck::attach(line, m_dialogs, false);
        else if (kind == InputKind::Count || kind == InputKind::Area)
            NumericKeyCheck::attach(line, m_dialogs, true);
        if (kind == InputKind::Money || kind == InputKind::Area)
            connect(line, &QLineEdit::textChanged, this, [this] { Q_EMIT amountsEdited(); });
        if (kind == InputKind::Money || kind == InputKind::Count || kind == InputKind::Area)
            line->setAlignment(Qt::AlignRight);
        if (kind == InputKind::Area)
            line->installEventFilter(this);
        editor = line;
    }
    editor->setObjectName(objectNameOf(column));
    field.caption->setBuddy(editor);
    field.editor = editor;
    m_fields.insert(column, field);
    m_order << column;
}

bool ListingForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (auto it = m_fields.constBegin(); it != m_fields.constEnd(); ++it)
            if (it->editor == watched && it->kind == InputKind::Area)
                Q_EMIT areaFocused(it.key());
    return QObject::eventFilter(watched, event);
}

void ListingForm::applyType(const TypeRules& rules) {
    const TypeRules* before = m_rules;
    m_rules = &rules;
    const QStringList advertised = advertisingFactColumns(rules);
    markMissing({});
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it)
        if (!rules.shows(it.key())) {
            it->caption->hide();
            it->editor->hide();
        }
    for (const TypeField& f : rules.fields) {
        const auto it = m_fields.find(f.column);
        if (it == m_fields.end())
            continue;
        const bool required = advertised.contains(f.column);
        it->caption->setText(captionText(f) + (required ? requiredMark() : QString()));
        it->caption->setToolTip(required ? QStringLiteral("인터넷 광고에 꼭 적어야 하는 항목입니다.")
                                         : QString());
        it->section = f.section;
        auto* box = qobject_cast<QComboBox*>(it->editor.data());
        // A combo without items of its own is the window's to fill (staff, progress states).
        if (!box || (f.kind == InputKind::FixedCombo && f.items.isEmpty()))
            continue;
        QStringList items =
            f.kind == InputKind::StoredCombo && m_choices ? m_choices(rules.tb, f.column) : QStringList();
        for (const QString& item : f.items)
            if (!items.contains(item))
                items << item;
        fillCombo(box, items);
    }
    // Only the frames whose fields change are laid out again.
    for (FormSection section : kSections)
        if (m_grids.contains(int(section)) &&
            (!before || sectionColumns(*before, section) != sectionColumns(rules, section)))
            layOut(section);
    if (QGroupBox* land = m_frames.value(int(FormSection::Land)))
        land->setVisible(rules.landPanel);
}

void ListingForm::forgetLayout() {
    m_rules = nullptr;
    m_items.clear();
}

QStringList ListingForm::sectionColumns(const TypeRules& rules, FormSection section) {
    QStringList columns;
    for (const TypeField& f : rules.fields)
        if (f.section == section)
            columns << f.column;
    return columns;
}

// Places the type's fields of a section two pairs a row, in the type's order.
void ListingForm::layOut(FormSection section) {
    QGridLayout* grid = m_grids.value(int(section));
    QWidget* frame = m_frames.value(int(section));
    for (const Field& field : std::as_const(m_fields)) {
        grid->removeWidget(field.caption);
        grid->removeWidget(field.editor);
    }
    int at = 0;
    for (const TypeField& f : m_rules->fields) {
        if (f.section != section)
            continue;
        const Field& field = m_fields[f.column];
        if (field.editor->parentWidget() != frame) {
            field.caption->setParent(frame);
            field.editor->setParent(frame);
        }
        const int row = at / kPairsPerRow;
        const int column = (at % kPairsPerRow) * 2;
        grid->addWidget(field.caption, row, column);
        grid->addWidget(field.editor, row, column + 1);
        field.caption->show();
        field.editor->show();
        ++at;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // Rows keep their height whatever the frame's: the room left goes below the last one.
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setRowStretch(row, 0);
    grid->setRowStretch((at + kPairsPerRow - 1) / kPairsPerRow, 1);
}

void ListingForm::fillCombo(QComboBox* box, const QStringList& items) {
    QStringList& shown = m_items[box->objectName()];
    if (shown == items && box->count() == items.size())
        return;
    shown = items;
    const QString kept = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(items);
    if (box->isEditable())
        box->setEditText(kept);
    else if (const int index = box->findText(kept); index >= 0)
        box->setCurrentIndex(index);
}

QWidget* ListingForm::editor(const QString& column) const {
    return m_fields.value(column).editor;
}

QString ListingForm::requiredMark() {
    return QStringLiteral(" *");
}

void ListingForm::markMissing(const QStringList& columns) {
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it) {
        QWidget* editor = it->editor;
        if (!editor)
            continue;
        const bool missing = columns.contains(it.key());
        if (editor->property("missing").toBool() == missing)
            continue;
        editor->setProperty("missing", missing);
        editor->setStyleSheet(missing ? QStringLiteral("background-color: #ffd9d9;") : QString());
    }
}

QLabel* ListingForm::caption(const QString& column) const {
    return m_fields.value(column).caption;
}

QString ListingForm::text(const QString& column) const {
    QWidget* editor = this->editor(column);
    if (auto* box = qobject_cast<QComboBox*>(editor))
        return box->currentText().trimmed();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text().trimmed();
    return {};
}

void ListingForm::setText(const QString& column, const QString& text) {
    QWidget* editor = this->editor(column);
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->isEditable()) {
            box->setEditText(text);
        } else {
            int index = box->findText(text);
            if (index < 0 && !text.isEmpty()) {
                box->addItem(text); // a stored value outside today's list still shows
                index = box->count() - 1;
            }
            box->setCurrentIndex(index < 0 ? 0 : index);
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    }
}

ListingRow ListingForm::values() const {
    ListingRow row;
    for (const QString& column : m_order) {
        const Field& field = m_fields[column];
        QString value = text(column);
        if (field.kind == InputKind::Money || field.kind == InputKind::Count ||
            field.kind == InputKind::Area) {
            value = digitsOf(value);
            if (value == QLatin1String("-"))
                value.clear();
        }
        row.insert(column, value.isEmpty() ? QVariant() : QVariant(value));
    }
    return row;
}

void ListingForm::setValues(const ListingRow& row) {
    for (const QString& column : m_order) {
        const QVariant value = row.value(column);
        const InputKind kind = m_fields[column].kind;
        QString shown;
        if (!value.isValid() || value.isNull())
            shown.clear();
        else if (column == QLatin1String("money_ys"))
            shown = formatYield(value);
        else if (kind == InputKind::Money)
            shown = formatAmount(value);
        else
            shown = plainNumber(value);
        setText(column, shown);
    }
}

void ListingForm::clear() {
    for (const QString& column : m_order) {
        QWidget* editor = this->editor(column);
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->isEditable())
                box->setEditText(QString());
            else
                box->setCurrentIndex(box->count() > 0 ? 0 : -1);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->clear();
        }
    }
}

} // namespace teran
