#!/bin/sh
# Plays fast games of the engine against itself and writes their quiet
# positions with the games' results and the searches' scores, the data of
# the evaluation tuner.
#   [JOBS=n] [SEED=s] scripts/make-tuning-data.sh OUT [GAMES] [NODES]
# Runs niced in chunks of 50 games, each with its own seed, so that an
# interrupted run keeps what it made. JOBS streams of chunks run side by
# side (one a core); stream j's chunks take the seeds SEED + 1000 j, + 1, ...
set -eu
out=${1:?usage: make-tuning-data.sh OUT [GAMES] [NODES]}
games=${2:-1200}
nodes=${3:-3000}
jobs=${JOBS:-1}
first_seed=${SEED:-1}
tuner=${TUNER:-build/bin/tolvane-tuner}
chunk_size=50

stream() {
  left=$1
  seed=$2
  while [ "$left" -gt 0 ]; do
    chunk=$(( left < chunk_size ? left : chunk_size ))
    nice -n 10 "$tuner" games "$chunk" "$nodes" "$seed" >> "$out.$3"
    left=$(( left - chunk ))
    seed=$(( seed + 1 ))
  done
}

j=0
while [ "$j" -lt "$jobs" ]; do
  : > "$out.$j"
  stream $(( games / jobs + (j < games % jobs ? 1 : 0) )) $(( first_seed + 1000 * j )) "$j" &
  j=$(( j + 1 ))
done
wait
j=0
: > "$out"
while [ "$j" -lt "$jobs" ]; do
  cat "$out.$j" >> "$out"
  rm "$out.$j"
  j=$(( j + 1 ))
done
wc -l "$out"
