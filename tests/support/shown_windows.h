// For a failed test: every window the scripted driver showed, on standard
// error, so the failure says what the user would have seen.
#pragma once

#include <iostream>

#include "ui/scripted/driver.h"

namespace test_support {

inline void PrintShownWindows(const ui::Driver& driver) {
  for (const ui::WindowRecord& record : driver.shown()) {
    std::cerr << "shown: " << ui::WindowKindName(record.kind) << " [" << record.caption << "] "
              << record.text << " -> " << record.answer << "\n";
  }
}

}  // namespace test_support
