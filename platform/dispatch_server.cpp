// The portable half of serving automation objects: the table of served
// classes, method lookup, and the wrapper every served object lives in.
#include "platform/dispatch_server.h"

#include <atomic>
#include <new>

#include "base/text.h"

namespace platform {
namespace {

struct ServerState {
  std::span<const ServedClass> classes;
  std::span<const EventInterface> events;
  std::atomic<size_t> live_objects{0};
};

// Function-local so that a static initializer of another file may call
// SetServedClasses before this file's statics would have been constructed.
ServerState& State() {
  static ServerState state;
  return state;
}

// Keeps the object behind its class's method list and counts it while it
// lives. Everything the object throws stops here: a served object is called
// from another module.
class ServedObject final : public DispatchObject {
 public:
  ServedObject(const ServedClass& served, std::unique_ptr<DispatchObject> object)
      : served_(served), object_(std::move(object)) {
    ++State().live_objects;
  }
  ~ServedObject() override {
    object_.reset();
    --State().live_objects;
  }

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    const std::optional<size_t> index = FindServedMethod(served_, method);
    if (!index) return kDispEUnknownName;
    if (result) *result = DispatchValue();
    try {
      return object_->Invoke(served_.methods[*index], args, result);
    } catch (const std::bad_alloc&) {
      return kEOutOfMemory;
    } catch (...) {
      return kDispEException;
    }
  }

  HResult Put(std::string_view property, const DispatchValue& value) override {
    const std::optional<size_t> index = FindServedMethod(served_, property);
    if (!index) return kDispEUnknownName;
    try {
      return object_->Put(served_.methods[*index], value);
    } catch (const std::bad_alloc&) {
      return kEOutOfMemory;
    } catch (...) {
      return kDispEException;
    }
  }

  HResult Advise(const EventInterface& events, std::shared_ptr<DispatchObject> sink,
                 uint32_t* cookie) override {
    try {
      return object_->Advise(events, std::move(sink), cookie);
    } catch (...) {
      return kDispEException;
    }
  }

  HResult Unadvise(const EventInterface& events, uint32_t cookie) override {
    try {
      return object_->Unadvise(events, cookie);
    } catch (...) {
      return kDispEException;
    }
  }

 private:
  const ServedClass& served_;
  std::unique_ptr<DispatchObject> object_;
};

}  // namespace

void SetServedClasses(std::span<const ServedClass> classes) { State().classes = classes; }

std::span<const ServedClass> ServedClasses() { return State().classes; }

const ServedClass* FindServedClass(std::string_view clsid_text) {
  for (const ServedClass& served : State().classes) {
    if (served.clsid && base::EqualsNoCase(served.clsid, clsid_text)) return &served;
  }
  return nullptr;
}

std::optional<size_t> FindServedMethod(const ServedClass& served, std::string_view name) {
  for (size_t i = 0; i < served.methods.size(); ++i) {
    if (served.methods[i] && base::EqualsNoCase(served.methods[i], name)) return i;
  }
  return std::nullopt;
}

std::unique_ptr<DispatchObject> MakeServedObject(const ServedClass& served) {
  if (!served.make) return nullptr;
  try {
    std::unique_ptr<DispatchObject> object = served.make();
    if (!object) return nullptr;
    return std::make_unique<ServedObject>(served, std::move(object));
  } catch (...) {
    return nullptr;
  }
}

DispatchObject* CreateServedObject(const char* clsid_text) {
  if (!clsid_text) return nullptr;
  const ServedClass* served = FindServedClass(clsid_text);
  return served ? MakeServedObject(*served).release() : nullptr;
}

void SetEventInterfaces(std::span<const EventInterface> interfaces) {
  State().events = interfaces;
}

const EventInterface* FindEventInterface(std::string_view iid_text) {
  for (const EventInterface& events : State().events) {
    if (events.iid && base::EqualsNoCase(events.iid, iid_text)) return &events;
  }
  return nullptr;
}

size_t ServedObjectCount() { return State().live_objects.load(); }

}  // namespace platform
