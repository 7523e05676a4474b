// SPDX-License-Identifier: MIT
// The system clock.
#include "core/platform/clock.h"

#include <ctime>

namespace korvexer {

namespace {

class SystemClock : public Clock {
public:
    std::int64_t NowSeconds() const override {
        return static_cast<std::int64_t>(std::time(nullptr));
    }
};

}  // namespace

const Clock& Clock::System() {
    static const SystemClock clock;
    return clock;
}

}  // namespace korvexer
