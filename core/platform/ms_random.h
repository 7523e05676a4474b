// SPDX-License-Identifier: MIT
// MsRandom: the C runtime's rand/srand of the original platform, so numbering is the same
// everywhere.
#pragma once

#include <cstdint>

namespace korvexer {

class MsRandom {
public:
    static constexpr int kMax = 0x7FFF;

    explicit MsRandom(std::uint32_t seed = 1) : m_state(seed) {}

    void Seed(std::uint32_t seed) { m_state = seed; }

    // state = state * 214013 + 2531011 (32-bit wrap); returns bits 16-30 of the new state.
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state;
};

}  // namespace korvexer
