// SPDX-License-Identifier: MIT
// NextConstantIndex: the numbering of newly listed constants.
#pragma once

#include <cstdint>

#include "core/platform/clock.h"

namespace korvexer {

// The index that follows `previous`: the C runtime's generator is seeded with the clock's second
// plus 5 and one draw r gives the step 1 + (5 * r) % 1000, so the step is one of 1, 6, ..., 996
// and all calls within one second take the same step. Wraps at 32 bits.
std::uint32_t NextConstantIndex(std::uint32_t previous, const Clock& clock);

}  // namespace korvexer
