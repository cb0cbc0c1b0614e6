// The clock service: the local time, replaceable by tests.
#pragma once

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;   // 1-12
  int day = 0;     // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

// A clock that always answers the time it was last set to.
class FixedClock : public Clock {
 public:
  explicit FixedClock(const LocalTime& time) : time_(time) {}
  LocalTime Now() override { return time_; }
  void Set(const LocalTime& time) { time_ = time; }

 private:
  LocalTime time_;
};

}  // namespace platform
