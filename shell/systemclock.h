#pragma once

#include "clock.h"

#include <QDateTime>

class SystemClock : public Clock {
public:
    std::uint32_t MillisecondsSinceMidnightUtc() const override
    {
        return static_cast<std::uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
    }
    LocalTime LocalNow() const override
    {
        const QDateTime now = QDateTime::currentDateTime();
        return {now.date().year(), now.date().month(), now.date().day(),
                now.time().hour(), now.time().minute(), now.time().second()};
    }
};
