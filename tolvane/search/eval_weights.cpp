// The evaluation weights in use. Written by tolvane-tuner; the defaults in
// eval_params.h are the hand-set starting point.
#include "search/eval_params.h"

namespace tolvane {

const EvalParams& tuned_params() {
  static const EvalParams params;
  return params;
}

}  // namespace tolvane
