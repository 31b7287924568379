#!/usr/bin/env bash
# Installs what is missing, builds everything, and starts the chess program with its engine beside it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display to open the window on (DISPLAY is not set)." >&2
  echo "        Run it inside a desktop session, or under a virtual one: xvfb-run ./run.sh" >&2
  exit 1
fi
[ -x build/bin/tolvane.exe ] ||
  echo "run.sh: build/bin/tolvane.exe is missing: the computer cannot move (Error 4 on its first move)" >&2
exec build/bin/tolvane-chess "$@"
