#pragma once

#include "clock.h"

#include <QDateTime>

class SystemClock : public Clock {
public:
    std::uint32_t MillisecondsSinceMidnightUtc() const override
    {
        return static_cast<std::uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
    }
};
