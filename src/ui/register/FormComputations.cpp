#include "FormComputations.h"

#include "ListingForm.h"
#include "core/listings/AutoMoney.h"
#include "core/session/Dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace teran {

FormComputations::FormComputations(ListingForm& form, Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_form(form)
    , m_dialogs(dialogs) {}

QGroupBox* FormComputations::converter(QWidget* parent) {
    auto* converter = new QGroupBox(QStringLiteral("평수자동계산"), parent);
    converter->setObjectName(QStringLiteral("fra_m2"));
    auto* row = new QHBoxLayout(converter);
    m_squareMetres = new QLineEdit(converter);
    m_squareMetres->setObjectName(QStringLiteral("pyung_m2"));
    m_squareMetres->setAlignment(Qt::AlignRight);
    row->addWidget(m_squareMetres);
    row->addWidget(new QLabel(QStringLiteral("㎡"), converter));
    connect(m_squareMetres, &QLineEdit::textEdited, this, &FormComputations::convertArea);
    return converter;
}

void FormComputations::addLandPrices(QGroupBox* land) {
    m_landPrice = new QLabel(QStringLiteral("0"), land);
    m_landPrice->setObjectName(QStringLiteral("money_slp"));
    m_officialTotal = new QLabel(QStringLiteral("0"), land);
    m_officialTotal->setObjectName(QStringLiteral("m_tlp"));
    auto* sentence = new QLabel(land);
    sentence->setWordWrap(true);
    sentence->setText(QStringLiteral("※ 건물값(평당)을 위 금액 만원 으로 계산을 하면 실제 대지가(평당)는"));
    auto* box = new QWidget(land);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_landPrice);
    row->addWidget(new QLabel(QStringLiteral("만원."), box));
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("공시지가 총액"), box));
    row->addWidget(m_officialTotal);
    row->addWidget(new QLabel(QStringLiteral("만원"), box));
    row->addStretch();
    auto* column = new QVBoxLayout;
    column->addWidget(sentence);
    column->addWidget(box);
    qobject_cast<QGridLayout*>(land->layout())->addLayout(column, 100, 0, 1, 4);
}

void FormComputations::connectForm() {
    connect(&m_form, &ListingForm::amountsEdited, this, &FormComputations::recompute);
    connect(&m_form, &ListingForm::areaFocused, this,
            [this](const QString& column) { m_squareMetresFor = column; });
    for (const char* area : {"pyung", "pyung_use"})
        if (auto* edit = qobject_cast<QLineEdit*>(m_form.editor(QLatin1String(area))))
            connect(edit, &QLineEdit::textEdited, this,
                    [this, column = QString::fromLatin1(area)](const QString& text) {
                        m_squareMetresFor = column;
                        if (const std::optional<QString> metres = squareMetresOf(text)) {
                            const QSignalBlocker quiet(m_squareMetres);
                            m_squareMetres->setText(*metres);
                        }
                    });
}

// Key-up in the ㎡ box: its value in 평 goes into the area box it is bound to.
void FormComputations::convertArea() {
    const QString text = m_squareMetres->text().trimmed();
    if (text.isEmpty())
        return;
    const std::optional<QString> pyung = pyungOf(text);
    if (!pyung) {
        m_dialogs.message(text + QStringLiteral(" 는 잘못된 숫자입니다."), QStringLiteral("숫자오류"),
                          DialogIcon::Critical, DialogButtons::Ok);
        m_squareMetres->clear();
        return;
    }
    m_form.setText(m_squareMetresFor, *pyung);
    recompute();
}

void FormComputations::recompute() {
    AmountTexts t;
    t.money_m = m_form.text(QStringLiteral("money_m"));
    t.money_y = m_form.text(QStringLiteral("money_y"));
    t.money_mb = m_form.text(QStringLiteral("money_mb"));
    t.money_mw = m_form.text(QStringLiteral("money_mw"));
    t.money_yeja = m_form.text(QStringLiteral("money_yeja"));
    t.pyung = m_form.text(QStringLiteral("pyung"));
    t.pyung_use = m_form.text(QStringLiteral("pyung_use"));
    t.money_lp = m_form.text(QStringLiteral("money_lp"));
    t.money_gp = m_form.text(QStringLiteral("money_gp"));
    const ComputedAmounts computed = AutoMoney(t);
    const QSignalBlocker quiet(&m_form);
    m_form.setText(QStringLiteral("money_sg"), computed.money_sg);
    m_form.setText(QStringLiteral("money_ys"), computed.money_ys);
    if (computed.money_p)
        m_form.setText(QStringLiteral("money_p"), *computed.money_p);
    if (m_officialTotal)
        m_officialTotal->setText(computed.m_tlp);
    if (m_landPrice)
        m_landPrice->setText(computed.money_slp);
}

void FormComputations::clearConverter() {
    if (m_squareMetres)
        m_squareMetres->clear();
}

} // namespace teran
