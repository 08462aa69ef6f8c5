#pragma once

#include "core/contracts/ConfirmationForm.h"
#include "core/contracts/Contract.h"

#include <QHash>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace teran {

class Session;

// The confirmation form window (중개대상물확인 설명서): built from the form's table of sections,
// it fills, stores (the office's copy and the server's copy of the property facts) and prints.
class frmGaeyakMul : public QWidget {
    Q_OBJECT
public:
    explicit frmGaeyakMul(Session& session, QWidget* parent = nullptr);

    // The location, broker and parties of a contract.
    void fillFromContract(const Contract& contract);
    // The location of a listing and the office as broker.
    void fillFromListing(const QStringList& location);
    // `FlagMod`: a stored form of the office.
    bool loadForm(int number);
    ConfirmationForm current() const;

    bool cmdSave_Click();
    void cmdPrintNow_Click();
    // Lists the stored forms of the location: the office's own (0) or other offices' (1).
    void listForms();
    void cboMul_Click(int index);

    static QString title() { return QStringLiteral("중개대상물확인 설명서 저장"); }

private:
    QWidget* buildLocation();
    QWidget* buildSections();
    void showForm(const ConfirmationForm& form);
    void setLocation(const QStringList& location);
    void fillOffice();
    void toggleOtherRights(bool none);
    QString logLabel(const QString& routine) const;

    Session& m_session;
    int m_number = 0;
    QStringList m_location = QStringList(4, QString());
    QString m_tb;
    QHash<QString, QLineEdit*> m_boxes;
    QList<QRadioButton*> m_options;
    QList<QCheckBox*> m_checks;
    QHash<QString, QString> m_rightsBefore; // the boxes Check2 set to "없음", as they were
    QList<QLabel*> m_addr;
    QLineEdit* m_addr4 = nullptr;
    QLineEdit* m_address = nullptr;
    QComboBox* m_list = nullptr;
    QButtonGroup* m_source = nullptr;
    QDateEdit* m_day = nullptr;
    QDateEdit* m_day2 = nullptr;
    QLineEdit* m_flagMod = nullptr;
};

} // namespace teran
