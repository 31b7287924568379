#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs the whole test suite on each; the default
# build also runs the real window under Xvfb and is packaged, installed, checked and removed; last,
# each fuzz target runs for a short while.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
for preset in default sanitize; do
  echo "=== $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset" -j"$(nproc)"
done
echo "=== window under Xvfb"
scripts/smoke-x11.sh build
echo "=== Debian package"
scripts/package-check.sh build
echo "=== fuzz targets, 20 s each"
scripts/fuzz.sh 20
