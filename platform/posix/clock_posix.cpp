// The clock on Linux: local time from localtime_r, with the milliseconds
// GetLocalTime gives on Windows.
#include <time.h>

#include "platform/clock.h"
#include "platform/system_services.h"

namespace platform {
namespace {

class PosixClock : public Clock {
 public:
  LocalTime Now() override {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    ::localtime_r(&now.tv_sec, &parts);
    LocalTime time;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    // A leap second (60) is shown as the last second of the minute, as
    // Windows never reports one.
    time.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
    time.milliseconds = static_cast<int>(now.tv_nsec / 1000000);
    return time;
  }
};

}  // namespace

std::unique_ptr<Clock> CreateSystemClock() { return std::make_unique<PosixClock>(); }

}  // namespace platform
