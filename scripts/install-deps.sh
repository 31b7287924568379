#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, but only those missing.
set -euo pipefail

packages=(
  cmake g++ make ninja-build pkg-config
  clang libclang-rt-dev llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb openbox xdotool x11-apps x11-utils imagemagick
  dpkg-dev desktop-file-utils appstream man-db groff-base file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
