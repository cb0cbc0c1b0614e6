// The answers file: the driver's entries written as JSON, so that the
// glintmere program (and every module it loads) can answer dialogs without
// a user. The format is described in docs/answers.md.
#pragma once

#include <string>

#include "ui/scripted/driver.h"

namespace ui {

// Reads the answers file at path and adds its entries to *driver (and its
// "default" to the driver's default). False, with *error naming the file,
// the entry and the step, when the file cannot be read or is not a valid
// answers file; *driver is then unchanged.
bool LoadAnswersFile(const std::string& path, Driver* driver, std::string* error);

// The same for the text of a file; name is how messages call it.
bool ParseAnswers(const std::string& text, const std::string& name, Driver* driver,
                  std::string* error);

}  // namespace ui
