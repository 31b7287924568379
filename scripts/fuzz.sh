#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzz target for SECONDS (default 30), one after another.
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (targets: the *_fuzz programs without "_fuzz")
# New inputs collect in build-fuzz/corpus/TARGET beside the committed seeds in fuzz/corpus/TARGET;
# a crash leaves its input in build-fuzz/crashes/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
scripts/build.sh fuzz >/dev/null
if [ $# -eq 0 ]; then
  set -- $(cd build-fuzz/bin && ls -- *_fuzz | sed 's/_fuzz$//')
fi
mkdir -p build-fuzz/crashes
# The engine program the engine_input target talks to (the release build answers within the target's time).
if [ -z "${TOLVANE_ENGINE:-}" ]; then
  [ -x build/bin/tolvane.exe ] ||
    { cmake --preset default -G Ninja >/dev/null && cmake --build --preset default --target tolvane_engine >/dev/null; }
  export TOLVANE_ENGINE=$PWD/build/bin/tolvane.exe
fi
# No terminal for the console commands that switch standard input to one.
exec </dev/null
failed=0
for target in "$@"; do
  mkdir -p "build-fuzz/corpus/$target"
  log="build-fuzz/$target.log"
  if build-fuzz/bin/"${target}_fuzz" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix=build-fuzz/crashes/"$target"- \
      "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    status=passed
  else
    status=FAILED
    failed=1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  echo "$target: $status, ${executions:-?} executions, ${coverage:-no coverage line} ($log)"
  if [ "$status" = FAILED ]; then grep -E 'ERROR|fuzz check failed|SUMMARY|Test unit written' "$log" || true; fi
done
exit $failed
