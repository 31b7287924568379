#!/bin/bash
# Each program answers --help and --version with status 0 before doing anything else, the window
# without any display; an unknown argument ends the console with status 2.
#   answers_without_display.sh VERSION PROGRAM...
set -u
version=$1
shift
status=0
check() {  # $1: what, $2: expected status, $3: pattern of the first line, then the command
  local what=$1 want_status=$2 want_first=$3
  shift 3
  local output got_status
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1 </dev/null)
  got_status=$?
  # shellcheck disable=SC2053 # the expected first line is a pattern
  if [ "$got_status" != "$want_status" ] || [[ $(head -1 <<<"$output") != $want_first ]]; then
    echo "$what: status $got_status, output:"; echo "$output"; status=1
  fi
}
for program in "$@"; do
  name=$(basename "$program")
  check "$name --version" 0 "$name (Tolvane) $version" "$program" --version
  check "$name --help" 0 "Usage: $name \[OPTION\]...*" "$program" --help
  [ "$name" = tolvane-console ] &&
    check "$name --bogus" 2 "$name: unrecognized option '--bogus'" "$program" --json --bogus
done
exit $status
