#!/bin/sh
# Trains the evaluation network and writes its weights as source.
#   [SEED=s] [CONTINUE=1] scripts/train-network.sh DATA [EPOCHS]
# DATA is made by scripts/make-tuning-data.sh (a few million positions:
# games at 3000 nodes a move give about 100 a game). With CONTINUE=1 the
# training goes on from the present network, so that new games add to what
# it learnt from earlier ones. Rebuild and measure against the previous
# build before keeping the result.
set -eu
data=${1:?usage: train-network.sh DATA [EPOCHS]}
trainer=${TRAINER:-build/bin/tolvane-net-trainer}
nice -n 10 "$trainer" ${CONTINUE:+--continue} "$data" "${2:-5}" "${SEED:-1}" > tolvane/search/network_weights.cpp.new
mv tolvane/search/network_weights.cpp.new tolvane/search/network_weights.cpp
