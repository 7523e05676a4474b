// SPDX-License-Identifier: MIT
// Clock: the current time in seconds since 1970, injectable so that tests can fix it.
#pragma once

#include <cstdint>

namespace korvexer {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t NowSeconds() const = 0;

    // The system's clock.
    static const Clock& System();
};

// A clock that always shows the same second.
class FixedClock : public Clock {
public:
    explicit FixedClock(std::int64_t seconds) : m_seconds(seconds) {}
    std::int64_t NowSeconds() const override { return m_seconds; }
    void Set(std::int64_t seconds) { m_seconds = seconds; }

private:
    std::int64_t m_seconds;
};

}  // namespace korvexer
