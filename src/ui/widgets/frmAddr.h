#pragma once

#include "core/register/AddressBook.h"
#include "core/register/AddressPick.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace teran {

class Session;

// The address finder: searches the postal table by part of a town name, shows one line per
// town, offers the known rest of the address for the town chosen and hands the picked address
// to the window that asked (target name in the Tag of cmdConfirm), then closes.
class frmAddr : public QDialog {
    Q_OBJECT
public:
    // The receiver, when given, takes the address before the window closes; picked() follows.
    frmAddr(Session& session, const QString& target, AddressTarget* receiver = nullptr,
            QWidget* parent = nullptr);

    QString target() const;
    // A town name to start with, as the caller knows it.
    void setTown(const QString& town);

    // Data kept with each result line: the length of addr2 (to cut the parts out of the text)
    // and the parts themselves (QStringList addr1, addr2, addr3), which hold for any region length.
    static constexpr int kDistrictLengthRole = Qt::UserRole;
    static constexpr int kPartsRole = Qt::UserRole + 1;
    static QString lotPlaceholder() { return QStringLiteral("지번"); }
    static QString title() { return QStringLiteral("주소찾기"); }

    // The routines behind the controls.
    void cmdSuch_Click();
    void lstAddr_Click();
    void cmdConfirm_Click();

Q_SIGNALS:
    void picked(const teran::AddressPick& pick);

private:
    void buildForm(const QString& target);
    static std::optional<TownAddress> partsOf(const QListWidgetItem* item);
    void warn(const QString& text);
    void logError(const QString& label, const QString& description, const QString& source) const;

    Session& m_session;
    AddressTarget* m_receiver;
    QLabel* m_label = nullptr;
    QLineEdit* m_dong = nullptr;
    QPushButton* m_search = nullptr;
    QListWidget* m_list = nullptr;
    QComboBox* m_addr4 = nullptr;
    QPushButton* m_confirm = nullptr;
};

} // namespace teran
