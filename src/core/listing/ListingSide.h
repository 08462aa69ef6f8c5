#pragma once

namespace teran {

// The two tables named `maemul`: the office's own listings (ListingStore) and the published
// copies of every member office (ServerStore).
enum class ListingSide { Local, Server };

} // namespace teran
