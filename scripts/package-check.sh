#!/usr/bin/env bash
# The Debian package of a build: made with cpack, installed with apt-get, its programs run from
# where it put them (the console plays a move against the installed engine, found without PATH),
# the desktop entry, metainfo, icons and manual pages checked, and the package removed again.
# Without root the same checks run on a `cmake --install` copy in a scratch folder instead.
#   scripts/package-check.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
app_id=org.tolvane.tolvane
scratch=$(mktemp -d)
installed=
cleanup() {
  if [ -n "$installed" ]; then apt-get remove -y -q tolvane >/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "package-check: $*" >&2; exit 1; }
say() { echo "package-check: $*"; }

rm -f "$build"/tolvane_*.deb
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
debs=("$build"/tolvane_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single tolvane_*.deb"
deb=$PWD/${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
say "$(basename "$deb"): $(dpkg-deb -f "$deb" Section), depends on $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ { print "  " $NF }'

if [ "$(id -u)" -eq 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt-get install failed"; }
  installed=1
  prefix=/usr
  say "installed with apt-get"
else
  cmake --install "$build" --prefix "$scratch/usr" >/dev/null
  prefix=$scratch/usr
  say "not root: checking a cmake --install copy in $prefix instead of the package"
fi

# --version in the usual form, without a display for the window.
for program in bin/tolvane-chess bin/tolvane-console lib/tolvane/tolvane.exe; do
  first=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/$program" --version | head -1)
  [ "$first" = "$(basename "$program") (Tolvane) $version" ] || fail "$program --version said: $first"
done
say "--version answered by all three programs"

# One move against the installed engine: nothing beside the console, no PATH, an empty current
# directory, no TOLVANE_ENGINE.
[ ! -e "$prefix/bin/tolvane.exe" ] || fail "an engine lies in bin/ as well"
mkdir "$scratch/empty"
reply=$(cd "$scratch/empty" && printf 'Be2e4\nc1\nll\n' |
  env -u TOLVANE_ENGINE PATH=/nonexistent "$prefix/bin/tolvane-console" --json | tail -1)
[[ $reply =~ ^\{\"message\":\ \"[a-h][1-8][a-h][1-8][DTLS]?\",\ \"result\":\ \"\"\}$ ]] ||
  fail "the console got no engine move: $reply"
say "the console played e2e4 and the installed engine answered: $reply"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$scratch/appstream.log" ||
  { cat "$scratch/appstream.log"; fail "metainfo invalid"; }
say "desktop entry and metainfo valid"

for size in 16 22 24 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png" | grep -q "PNG image data, $size x $size" ||
    fail "no $size x $size icon"
done
say "icons in the eight theme sizes"

# A container set up without manual pages makes dpkg drop them: then the package's own copies.
pages=$prefix/share/man/man6
if [ ! -e "$pages/tolvane-chess.6.gz" ]; then
  dpkg-deb -x "$deb" "$scratch/unpacked"
  pages=$scratch/unpacked/usr/share/man/man6
  say "dpkg left the manual pages out (path-exclude); rendering the package's copies"
fi
for page in tolvane-chess tolvane-console tolvane.exe; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$pages/$page.6.gz" 2>&1 >"$scratch/$page.txt") ||
    fail "man -l $page.6 failed: $warnings"
  [ -z "$warnings" ] || fail "man -l $page.6 warned: $warnings"
  grep -q '^EXIT STATUS' "$scratch/$page.txt" || fail "$page.6 rendered without its sections"
done
say "manual pages render without warnings"

if [ -n "$installed" ]; then
  apt-get remove -y -q tolvane >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt-get remove failed"; }
  installed=
  ! dpkg-query -W -f='${Status}' tolvane 2>/dev/null | grep -q 'install ok installed' ||
    fail "tolvane is still installed"
  for file in /usr/bin/tolvane-chess /usr/bin/tolvane-console /usr/lib/tolvane /usr/share/man/man6/tolvane.exe.6.gz; do
    [ ! -e "$file" ] || fail "$file is left after the removal"
  done
  say "removed with apt-get; nothing of it is left"
fi
