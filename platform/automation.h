// The automation service: creating an object by ProgID and calling its
// methods by name with positional arguments, the way IDispatch does.
//
// On Windows this is COM (CLSIDFromProgID, CoCreateInstance, IDispatch), with
// ANSI text converted to UTF-16 at this boundary only. On Linux the object is
// found the way COM finds an in-process server: ProgID -> "CLSID" ->
// "CLSID\{...}\InprocServer32" library path in the registry, then that
// library's exported factory kDispatchFactoryExport.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace platform {

class DispatchObject;

// One argument or result of a method call.
class DispatchValue {
 public:
  enum class Kind { kEmpty, kString, kInt, kBool, kBoolRef, kObject };

  DispatchValue() = default;
  static DispatchValue String(std::string_view text);
  // A string argument that is passed as a null automation string.
  static DispatchValue NullString();
  static DispatchValue Int(int32_t value);
  static DispatchValue Bool(bool value);
  // A by-reference 16-bit truth value: the callee may change *target (0 or -1
  // as VARIANT_BOOL; read it as "nonzero is true").
  static DispatchValue BoolRef(int16_t* target);
  // An automation object (IDispatch); a null object is an empty value.
  static DispatchValue Object(std::shared_ptr<DispatchObject> object);

  Kind kind() const { return kind_; }
  bool is_null_string() const { return kind_ == Kind::kString && !text_; }
  // The text of a string value (empty for a null string).
  const std::string& text() const;
  int32_t int_value() const { return int_; }
  bool bool_value() const { return int_ != 0; }
  int16_t* bool_ref() const { return bool_ref_; }
  // The object of an object value; null for any other kind.
  const std::shared_ptr<DispatchObject>& object() const { return object_; }

  // Numeric view used for int and flag results: kInt and kBool give their
  // value, anything else 0.
  int32_t AsInt() const;

 private:
  Kind kind_ = Kind::kEmpty;
  std::optional<std::string> text_;
  int32_t int_ = 0;
  int16_t* bool_ref_ = nullptr;
  std::shared_ptr<DispatchObject> object_;
};

// An outgoing (event) interface of an object: its interface identifier in
// registry form and the names of its methods, whose dispatch identifiers are
// 1 + their index in that list (as COM event sources call them).
struct EventInterface {
  const char* iid;
  std::span<const char* const> methods;
};

// An automation object, either created through Automation::Create or
// implemented by the product itself (the stand-alone host's objects).
class DispatchObject {
 public:
  virtual ~DispatchObject() = default;
  // Calls a method with positional arguments, first to last. Returns kSOk or
  // the failure code; kDispEUnknownName when the object has no such method
  // (nothing is called then).
  virtual HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                         DispatchValue* result) = 0;
  // Sets a property (a property put). kDispEUnknownName when the object has
  // no such property; this default has none.
  virtual HResult Put(std::string_view property, const DispatchValue& value);
  // Connects sink to the object's events of that interface, as a connection
  // point does: the object then calls the sink's methods by the interface's
  // names. *cookie identifies the connection for Unadvise. kENoInterface
  // when the object raises no such events (this default).
  virtual HResult Advise(const EventInterface& events, std::shared_ptr<DispatchObject> sink,
                         uint32_t* cookie);
  virtual HResult Unadvise(const EventInterface& events, uint32_t cookie);
};

// Where creating an object failed.
enum class CreateStage {
  kNone,           // created
  kClassLookup,    // ProgID not registered (CLSIDFromProgID)
  kInstantiation,  // the class could not be created (CoCreateInstance)
  kNoDispatch,     // the object does not offer IDispatch
};

struct CreateResult {
  std::unique_ptr<DispatchObject> object;
  CreateStage failed_stage = CreateStage::kNone;
  HResult error = kSOk;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // OLE initialisation of the calling thread (OleInitialize / OleUninitialize).
  virtual HResult Initialize() = 0;
  virtual void Uninitialize() = 0;
  // Creates an object as an in-process or local server and asks for IDispatch.
  virtual CreateResult Create(std::string_view prog_id) = 0;
};

// The name of the factory a Linux in-process server exports:
//   extern "C" platform::DispatchObject* GlintmereCreateObject(const char* clsid);
// It returns a new object for the class identifier text ("{...}", any letter
// case) or null when the library does not serve that class. The caller owns
// the object and deletes it through DispatchObject's virtual destructor; the
// library stays loaded while any of its objects live.
inline constexpr const char* kDispatchFactoryExport = "GlintmereCreateObject";
using DispatchFactory = DispatchObject* (*)(const char* clsid);

}  // namespace platform
