// Arguments and results of automation calls. The services themselves live in
// win32/automation_win32.cpp and posix/automation_posix.cpp.
#include "platform/automation.h"

namespace platform {

DispatchValue DispatchValue::String(std::string_view text) {
  DispatchValue value;
  value.kind_ = Kind::kString;
  value.text_.emplace(text);
  return value;
}

DispatchValue DispatchValue::NullString() {
  DispatchValue value;
  value.kind_ = Kind::kString;
  return value;
}

DispatchValue DispatchValue::Int(int32_t number) {
  DispatchValue value;
  value.kind_ = Kind::kInt;
  value.int_ = number;
  return value;
}

DispatchValue DispatchValue::Bool(bool flag) {
  DispatchValue value;
  value.kind_ = Kind::kBool;
  value.int_ = flag ? 1 : 0;
  return value;
}

DispatchValue DispatchValue::BoolRef(int16_t* target) {
  DispatchValue value;
  value.kind_ = Kind::kBoolRef;
  value.bool_ref_ = target;
  return value;
}

DispatchValue DispatchValue::Object(std::shared_ptr<DispatchObject> object) {
  DispatchValue value;
  if (!object) return value;
  value.kind_ = Kind::kObject;
  value.object_ = std::move(object);
  return value;
}

const std::string& DispatchValue::text() const {
  static const std::string kNoText;
  return text_ ? *text_ : kNoText;
}

int32_t DispatchValue::AsInt() const {
  return kind_ == Kind::kInt || kind_ == Kind::kBool ? int_ : 0;
}

HResult DispatchObject::Put(std::string_view, const DispatchValue&) { return kDispEUnknownName; }

HResult DispatchObject::Advise(const EventInterface&, std::shared_ptr<DispatchObject>,
                               uint32_t* cookie) {
  if (cookie) *cookie = 0;
  return kENoInterface;
}

HResult DispatchObject::Unadvise(const EventInterface&, uint32_t) { return kENoInterface; }

}  // namespace platform
