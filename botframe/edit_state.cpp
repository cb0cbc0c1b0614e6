// The library's one edit-run state.
#include "botframe/edit_state.h"

namespace botframe {

EditRunState& State() {
  static EditRunState state;
  return state;
}

}  // namespace botframe
