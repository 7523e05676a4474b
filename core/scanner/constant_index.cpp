// SPDX-License-Identifier: MIT
// The constant index generator.
#include "core/scanner/constant_index.h"

#include "core/platform/ms_random.h"

namespace korvexer {

std::uint32_t NextConstantIndex(std::uint32_t previous, const Clock& clock) {
    // The generator takes an unsigned seed: the time is truncated to 32 bits as time_t was.
    MsRandom random(static_cast<std::uint32_t>(clock.NowSeconds() + 5));
    const auto r = static_cast<std::uint32_t>(random.Next());
    return previous + 1u + (5u * r) % 1000u;
}

}  // namespace korvexer
