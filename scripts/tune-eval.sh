#!/bin/sh
# Fits the evaluation weights to tuning data and writes them as source.
#   scripts/tune-eval.sh DATA [ROUNDS]
# Rebuild and measure against the previous build before keeping the result.
set -eu
data=${1:?usage: tune-eval.sh DATA [ROUNDS]}
tuner=${TUNER:-build/bin/tolvane-tuner}
nice -n 10 "$tuner" tune "$data" "${2:-3}" > tolvane/search/eval_weights.cpp.new
mv tolvane/search/eval_weights.cpp.new tolvane/search/eval_weights.cpp
