#pragma once

#include "Contract.h"
#include "core/report/ReportDocument.h"
#include "core/session/SessionState.h"

namespace teran {

// An amount of a contract as its box shows it after the redisplay: in the chosen notation, or
// "" for an empty (0) amount.
QString contractAmountText(qint64 manwon, MoneyNotation notation);
// The amount in won, "#,##0" ("" for 0), as the won box beside the first amount shows it.
QString contractWonText(qint64 manwon);

// The fee line of the contract window: the legal maximum of the amounts shown, and a warning
// when the agreed rate asks more.
QString feeMaximumText(const AgreedFee& fee);
// The fee as the printed contract states it under the fee clause: the agreed fee with its VAT
// and the legal maximum, or the maximum alone when no rate was agreed.
QString printedFeeText(const AgreedFee& fee);

// The printed contract on A4: the property, the amounts with their dates of payment, the
// handover, the fee clause, the special terms, the parties with their full resident numbers
// (the one page that prints them whole), the brokers and the seal spaces. `officeDetails` is
// the login's office list; its name, homepage and phone close the page.
report::Document contractDocument(const Contract& contract, const OfficeDetails& officeDetails);

} // namespace teran
