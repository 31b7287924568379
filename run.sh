#!/usr/bin/env bash
# Installs what is missing, builds, and starts the chess program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh default
exec build/bin/tolvane-perft "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1" "${1:-5}"
