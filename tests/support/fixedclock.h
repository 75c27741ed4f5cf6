#pragma once

#include "clock.h"

struct FixedClock : Clock {
    std::uint32_t ms = 0;
    LocalTime local{2026, 12, 7, 12, 23, 45};
    std::uint32_t MillisecondsSinceMidnightUtc() const override { return ms; }
    LocalTime LocalNow() const override { return local; }
};
