#pragma once

#include "PersonWindow.h"
#include "core/people/CardBook.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace teran {

class RegionCascade;

// `frmNamecard` (명함집) and `frmCustomer` (고객관리): one window over the card book or the
// customer list; what tells them apart is the book's CardKind.
class frmCard : public PersonWindow {
    Q_OBJECT
public:
    frmCard(Session& session, CardPart part, QWidget* parent = nullptr);

    const CardKind& kind() const { return m_book.kind(); }

protected:
    QStringList groups() override;
    void offerGroups(const QStringList& groups) override;
    int count(const QString& tab, bool search) override;
    QList<PersonRow> rows(const QString& tab, bool search, int limit, int offset) override;
    bool showPerson(int number) override;
    void clearPanel() override;
    PersonSaveResult savePanel(int number) override;
    void remove(int number) override;
    void takeSearch() override;
    QString panelName() const override;
    QString panelMobile() const override;
    QString phoneTable() const override { return QStringLiteral("namecard"); }
    void focusName() override;

private:
    QWidget* buildPanel();
    Card panelCard() const;
    CardFilter filter(const QString& tab, bool search) const;

    CardBook m_book;
    Card m_search;
    QComboBox* m_group = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_homtel = nullptr;
    QLineEdit* m_hantel = nullptr;
    QLineEdit* m_office = nullptr;
    QLineEdit* m_fax = nullptr;
    QLineEdit* m_addr4 = nullptr;
    QPlainTextEdit* m_work = nullptr;
    RegionCascade* m_region = nullptr;
};

} // namespace teran
