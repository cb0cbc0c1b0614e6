// The help viewer's stored window placement.
#include "helpviewer/placement_store.h"

#include <memory>

namespace helpviewer {
namespace {

std::optional<std::vector<uint8_t>> LoadFrom(platform::Registry& registry,
                                             platform::RootKey root) {
  std::unique_ptr<platform::RegistryKey> key;
  platform::RegistryValue value;
  if (registry.OpenKey(root, kPlacementKey, &key) != platform::kOk ||
      key->GetValue(kPlacementValue, &value) != platform::kOk ||
      value.type != platform::ValueType::kBinary || value.bytes.size() != kPlacementSize ||
      value.bytes[0] != kPlacementSize || value.bytes[1] != 0 || value.bytes[2] != 0 ||
      value.bytes[3] != 0) {
    return std::nullopt;
  }
  return std::move(value.bytes);
}

}  // namespace

std::optional<std::vector<uint8_t>> LoadPlacement(platform::Registry& registry) {
  if (auto own = LoadFrom(registry, platform::RootKey::kCurrentUser)) return own;
  return LoadFrom(registry, platform::RootKey::kLocalMachine);
}

platform::Status StorePlacement(platform::Registry& registry, const std::vector<uint8_t>& record) {
  if (record.size() != kPlacementSize) return platform::kInvalidParameter;
  return platform::WriteValue(registry, platform::RootKey::kCurrentUser, kPlacementKey,
                              kPlacementValue, platform::RegistryValue::Binary(record));
}

}  // namespace helpviewer
