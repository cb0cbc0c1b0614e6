// Tests of the system clock: it must tell the same local time as the C
// runtime does (not UTC, months from 1, full years).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/clock.h"
#include "platform/system_services.h"

namespace {

TEST(ClockTest, SystemClockTellsTheLocalTime) {
  std::unique_ptr<platform::Clock> clock = platform::CreateSystemClock();
  const std::time_t before = std::time(nullptr);
  const platform::LocalTime now = clock->Now();
  const std::time_t after = std::time(nullptr);

  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.milliseconds, 0);
  EXPECT_LE(now.milliseconds, 999);

  std::tm parts{};
  parts.tm_year = now.year - 1900;
  parts.tm_mon = now.month - 1;
  parts.tm_mday = now.day;
  parts.tm_hour = now.hour;
  parts.tm_min = now.minute;
  parts.tm_sec = now.second;
  parts.tm_isdst = -1;
  // mktime reads the fields as local time: equal only if Now() gave local time.
  const std::time_t told = std::mktime(&parts);
  EXPECT_LE(before - 1, told);
  EXPECT_GE(after + 1, told);
}

}  // namespace
