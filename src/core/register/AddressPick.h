#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace teran {

// The parts of an address joined by one blank, empty parts left out ("서울 강남구 역삼동 1-2").
QString joinedAddress(const QStringList& parts);

// Which set of fields an address picked in the address finder is meant for; the finder is
// told by a target name.
enum class AddressTargetKind {
    Unknown,
    Registration,  // "frmInsert": the four parts and the address text of the registration window
    Location,      // "Maddress", "Jaddress": the location of a sale or lease contract
    PartyAddress,  // "Maddr1".."Maddr6", "Jaddr1".."Jaddr6": a party's or broker's address box
    ContractField, // "AdrMul", "AdrMul2".."AdrMul5": an address box of the confirmation form
};

AddressTargetKind addressTargetKind(const QString& target);

// One address picked in the address finder, and the target it was asked for.
struct AddressPick {
    QString target;
    QString addr1;
    QString addr2;
    QString addr3;
    QString addr4; // as chosen or typed; "지번" when nothing was

    AddressTargetKind kind() const { return addressTargetKind(target); }
    // The rest of the address: empty when addr4 is empty or still reads "지번".
    QString rest() const;
    // The parts joined by one blank, without the rest when there is none.
    QString joined() const;
    // Targets that hold a whole postal address want the rest as well.
    bool needsRest() const;
    // The fields of the target's window and their new texts; a window fills those it has.
    QList<QPair<QString, QString>> fieldValues() const;
};

// What the window that asked for an address does with it. May throw; the finder logs it.
class AddressTarget {
public:
    virtual ~AddressTarget() = default;
    virtual void takeAddress(const AddressPick& pick) = 0;
};

} // namespace teran
