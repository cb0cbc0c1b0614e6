// The backend registration point.
#include "ui/backend.h"

namespace ui {
namespace {

UiBackend*& Slot() {
  static UiBackend* backend = &SystemUiBackend();
  return backend;
}

}  // namespace

UiBackend& GetUiBackend() { return *Slot(); }

ScopedUiBackend::ScopedUiBackend(UiBackend* replacement) : previous_(Slot()) {
  Slot() = replacement;
}

ScopedUiBackend::~ScopedUiBackend() { Slot() = previous_; }

WaitCursor::WaitCursor() { GetUiBackend().ShowWaitCursor(true); }
WaitCursor::~WaitCursor() { GetUiBackend().ShowWaitCursor(false); }

}  // namespace ui
