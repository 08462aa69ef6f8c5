#pragma once

#include <QStringList>
#include <QVariantHash>

namespace teran {

// The facts that a listing advertisement shown to the public must state (소재지, 면적, 가격,
// 거래형태; for buildings also 총층수, 건축년도, 방향, 입주가능일, 주차대수, 관리비, and for dwellings
// 방 수 and 욕실 수). Returns the captions of those the row leaves empty, in the order the form
// shows them; empty when the listing may be advertised.
QStringList missingAdvertisingFacts(const QVariantHash& row);

} // namespace teran
