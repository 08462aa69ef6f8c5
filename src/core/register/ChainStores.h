#pragma once

#include <QStringList>

namespace teran {

// The chain-store picker of the registration window: kinds of shop and the brands of each, so
// that a shop's brand is written the same way every time ("[" brand "]" in `maker`).
QStringList chainStoreKinds(); // "음식점", "호프/주류", "커피점", "1층점포", "1층외점포"
QStringList ChainStoreTable(const QString& kind); // empty for an unknown kind
QString chainStoreMaker(const QString& brand);    // "[" & brand & "]"

} // namespace teran
