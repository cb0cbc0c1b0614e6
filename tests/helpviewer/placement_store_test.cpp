// Where the help viewer finds its window placement: the user's first, then
// the machine's; a damaged record counts as none. (Storing is tested with
// the program under Wine.)
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "helpviewer/placement_store.h"
#include "platform/services.h"
#include "tests/support/saved_value.h"

namespace {

using platform::RegistryValue;
using platform::RootKey;

constexpr char kKey[] = "Software\\Kel Software\\KelHelp";

// A record as Windows writes it: its length (44) first, then a marker.
std::vector<uint8_t> Record(uint8_t marker, size_t size = 44) {
  std::vector<uint8_t> bytes(size, marker);
  if (size >= 4) bytes[0] = 44, bytes[1] = bytes[2] = bytes[3] = 0;
  return bytes;
}

void Put(RootKey root, const std::optional<RegistryValue>& value) {
  if (!value) return;
  ASSERT_EQ(platform::WriteValue(platform::GetRegistry(), root, kKey, "Placement", *value),
            platform::kOk);
}

TEST(PlacementStoreTest, ReadsTheUserBeforeTheMachine) {
  test_support::SavedValue user(RootKey::kCurrentUser, kKey, "Placement");
  test_support::SavedValue machine(RootKey::kLocalMachine, kKey, "Placement");
  const RegistryValue mine = RegistryValue::Binary(Record(1));
  const RegistryValue shared = RegistryValue::Binary(Record(2));
  const struct {
    const char* name;
    std::optional<RegistryValue> user;
    std::optional<RegistryValue> machine;
    int expected;  // marker of the record read, 0 for none
  } cases[] = {
      {"none", std::nullopt, std::nullopt, 0},
      {"user only", mine, std::nullopt, 1},
      {"machine only", std::nullopt, shared, 2},
      {"both", mine, shared, 1},
      {"user's too short", RegistryValue::Binary(Record(1, 40)), shared, 2},
      {"user's a string", RegistryValue::String("44"), shared, 2},
      {"machine's length field wrong", std::nullopt,
       RegistryValue::Binary(std::vector<uint8_t>(44, 2)), 0},
  };
  for (const auto& c : cases) {
    user.Delete();
    machine.Delete();
    Put(RootKey::kCurrentUser, c.user);
    Put(RootKey::kLocalMachine, c.machine);
    const auto read = helpviewer::LoadPlacement(platform::GetRegistry());
    if (c.expected == 0) {
      EXPECT_FALSE(read) << c.name;
    } else {
      EXPECT_EQ(read, Record(static_cast<uint8_t>(c.expected))) << c.name;
    }
  }
}

}  // namespace
