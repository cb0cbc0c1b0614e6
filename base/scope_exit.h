// Runs a function when the scope it guards is left, whichever way: the
// clean-up of an edit call or a dialog that must happen on every path.
#pragma once

#include <utility>

namespace base {

template <typename Function>
class ScopeExit {
 public:
  explicit ScopeExit(Function function) : function_(std::move(function)) {}
  ~ScopeExit() { function_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Function function_;
};

}  // namespace base
