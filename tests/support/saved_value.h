// One registry value as it was before a test, put back afterwards (or
// deleted again when there was none), so tests under Wine leave the prefix's
// real values as they found them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/services.h"

namespace test_support {

class SavedValue {
 public:
  SavedValue(platform::RootKey root, std::string key, std::string name)
      : root_(root), key_(std::move(key)), name_(std::move(name)) {
    std::unique_ptr<platform::RegistryKey> opened;
    platform::RegistryValue value;
    if (platform::GetRegistry().OpenKey(root_, key_, &opened) == platform::kOk &&
        opened->GetValue(name_, &value) == platform::kOk) {
      saved_ = value;
    }
  }
  ~SavedValue() {
    if (saved_) {
      EXPECT_EQ(platform::WriteValue(platform::GetRegistry(), root_, key_, name_, *saved_),
                platform::kOk)
          << "restoring " << key_ << "\\" << name_;
    } else {
      Delete();
    }
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;

  void Delete() {
    std::unique_ptr<platform::RegistryKey> opened;
    if (platform::GetRegistry().OpenKey(root_, key_, &opened) == platform::kOk) {
      opened->DeleteValue(name_);
    }
  }
  void Set(const std::string& text) {
    ASSERT_EQ(platform::WriteString(platform::GetRegistry(), root_, key_, name_, text),
              platform::kOk)
        << key_ << "\\" << name_;
  }
  void SetDword(uint32_t value) {
    ASSERT_EQ(platform::WriteDword(platform::GetRegistry(), root_, key_, name_, value),
              platform::kOk);
  }

 private:
  platform::RootKey root_;
  std::string key_;
  std::string name_;
  std::optional<platform::RegistryValue> saved_;
};

}  // namespace test_support
