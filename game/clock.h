#pragma once

#include <cstdint>

// The time of day as the random source sees it. Tests replace it to make
// every shuffle reproducible.
class Clock {
public:
    virtual ~Clock() = default;
    // 0 to 86,399,999: ((hour * 60 + minute) * 60 + second) * 1000 + millisecond, UTC.
    virtual std::uint32_t MillisecondsSinceMidnightUtc() const = 0;
};
