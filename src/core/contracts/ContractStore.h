#pragma once

#include "Contract.h"
#include "core/listing/ListingRepository.h"
#include "core/session/SessionState.h"

#include <QList>
#include <optional>

namespace teran {

class Session;

class Clock;
class SqlStore;

// The office's contracts in `mem_moo_con`: every statement binds its values, and a new
// contract's number is the one the store's insert gave it.
class ContractStore {
public:
    ContractStore(SqlStore& store, const Clock& clock);
    // The session's: the office database.
    explicit ContractStore(Session& session);

    std::optional<Contract> load(int number);
    // The contract of this kind already drafted from the listing, 0 when none. A listing can
    // hold one contract of each kind; leases also match the property type.
    int findForListing(int listing, ContractKind kind, const QString& tb);
    // Writes the contract: a new one (number 0, or a number no longer stored) gets the store's
    // next number, which is set into the contract; the stamp `writeday` is the store's.
    void save(Contract& contract);
    int remove(const QList<int>& numbers);

private:
    SqlStore& m_store;
    const Clock& m_clock;
};

// A new contract of the kind: the contract date today and the office as the first broker.
Contract newContract(ContractKind kind, const QString& tb, const OfficeDetails& office, const QDate& today);
// A new contract drafted from a listing: its price (sale) or deposit (lease) and its location.
Contract draftFromListing(const ListingRow& listing, int number, ContractKind kind, const QString& tb,
                          const OfficeDetails& office, const QDate& today);

} // namespace teran
