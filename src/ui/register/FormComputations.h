#pragma once

#include <QObject>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace teran {

class Dialogs;
class ListingForm;

// The registration form's live computations: 실구입가, the yield and the per-평 prices follow
// every typed amount or area; the ㎡ box converts into the area box last worked on and back; the
// land frame shows the real land price and the official total. The arithmetic is AutoMoney's.
class FormComputations : public QObject {
    Q_OBJECT
public:
    FormComputations(ListingForm& form, Dialogs& dialogs, QObject* parent = nullptr);

    // `fra_m2`, the ㎡ converter, built inside `parent`.
    QGroupBox* converter(QWidget* parent);
    // Adds the real land price (`money_slp`) and the official total (`m_tlp`) under the land frame.
    void addLandPrices(QGroupBox* land);
    // Hooks the form's area and amount boxes; call once the form's frames are built.
    void connectForm();

    // Computes again from what the form holds.
    void recompute();
    // Empties the ㎡ box, which speaks of the listing last shown.
    void clearConverter();

private:
    void convertArea();

    ListingForm& m_form;
    Dialogs& m_dialogs;
    QLineEdit* m_squareMetres = nullptr;
    QString m_squareMetresFor = QStringLiteral("pyung");
    QLabel* m_landPrice = nullptr;     // money_slp
    QLabel* m_officialTotal = nullptr; // m_tlp
};

} // namespace teran
