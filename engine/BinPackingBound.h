// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lower bounds on the number of bins of one capacity that some weights need (Martello and
// Toth's L1, L2 and L3). Each is at most the fewest bins of any packing, and L3 >= L2 >= L1.
//
// They are bounds on these weights only: a disc plan's planned sizes may over-count the real
// images, so a bound on planned sizes proves nothing about real discs. A caller that claims
// the fewest discs bounds weights that never exceed what an item adds to any image.
#include <cstdint>
#include <span>

namespace platterwise {

// All REQUIRE: 0 < capacity; every weight from 0 to capacity; their sum within int64.

// The total over the capacity, rounded up.
std::int64_t BinPackingL1(std::span<const std::int64_t> weights, std::int64_t capacity);

// For a threshold k up to half a bin: every weight above c - k needs a bin of its own, every
// weight above c/2 too, and the weights from k to c/2 fill what those leave before they need
// more bins. The best threshold. O(n log n).
std::int64_t BinPackingL2(std::span<const std::int64_t> weights, std::int64_t capacity);

// L2 after reductions: a bin that some packing of the fewest bins certainly holds (an item that
// nothing else fits beside; an item and the largest that fits beside it, when no set of others
// that fits beside it weighs more) is counted and its items set aside; then the smallest item
// left is dropped (fewer items never need more bins; of many items, a sixty-fourth of them at
// once) and the reductions tried again, the best count kept. Work is bounded (about 0.1 s on
// this machine's cores), so for many items it may stop early, still a bound.
std::int64_t BinPackingL3(std::span<const std::int64_t> weights, std::int64_t capacity);

// The number of bins no packing of `weights` goes below: the largest of the three bounds, 1 for
// weights that are all 0, 0 for none. REQUIRES as above, except that a capacity of 0 or less
// is taken as a bin that holds only weights of 0.
std::int64_t BinPackingLowerBound(std::span<const std::int64_t> weights, std::int64_t capacity);

} // namespace platterwise
