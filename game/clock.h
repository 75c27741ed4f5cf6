#pragma once

#include <cstdint>

// The time as the game sees it: the time of day seeds the random source,
// and the local date and time stamp the settings file. Tests replace it to
// make every shuffle and every stamp reproducible.
class Clock {
public:
    struct LocalTime {
        int year, month, day, hour, minute, second;
    };

    virtual ~Clock() = default;
    // 0 to 86,399,999: ((hour * 60 + minute) * 60 + second) * 1000 + millisecond, UTC.
    virtual std::uint32_t MillisecondsSinceMidnightUtc() const = 0;
    virtual LocalTime LocalNow() const = 0;
};
