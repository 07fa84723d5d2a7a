#!/usr/bin/env bash
# Checks the Debian package as a user meets it: its desktop entry and metainfo validate, lintian
# finds no error, apt-get installs it, the command its desktop entry names opens a window whose
# class is the entry's id, --help and --version answer without a display, and purging it leaves
# nothing of it behind. Installing needs root; without it only the checks of the files run.
# Usage: check_package.sh orvex-capture_<version>_<arch>.deb
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PACKAGE.deb" >&2; exit 2; }
deb="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
package="$(dpkg-deb -f "$deb" Package)"
version="$(dpkg-deb -f "$deb" Version)"
scratch="$(mktemp -d)"
cleanup() {
  if [ "$(id -u)" -eq 0 ] && dpkg -s "$package" >/dev/null 2>&1; then
    apt-get purge -y -qq "$package" >/dev/null 2>&1 || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "-- desktop entry, metainfo and icons"
tree="$scratch/tree"
dpkg-deb -x "$deb" "$tree"
entries=("$tree"/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "not one desktop entry"
entry="${entries[0]}"
id="$(basename "$entry" .desktop)"
key() { sed -n "s/^$1=//p" "$entry"; }
desktop-file-validate "$entry"
appstreamcli validate --no-net "$tree/usr/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"
[ "$(key Icon)" = "$id" ] && [ "$(key StartupWMClass)" = "$id" ] ||
  fail "Icon and StartupWMClass are not the id $id"
for size in 16 32 48 64 128 256; do
  [ -f "$tree/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "no ${size}px icon"
done

echo "-- lintian"
lintian --fail-on error "$deb"

if [ "$(id -u)" -ne 0 ]; then
  echo "-- installing, starting and removing skipped: they need root"
  exit 0
fi

echo "-- install"
if dpkg -s "$package" >/dev/null 2>&1; then
  echo "$package was installed already: purging it first"
  apt-get purge -y -qq "$package" >/dev/null
fi
# Whatever of the package is not on the machine yet must be gone again after the purge.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$scratch/paths"
while read -r path; do [ -e "$path" ] || echo "$path"; done <"$scratch/paths" >"$scratch/new"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$deb" >/dev/null

echo "-- the command of the desktop entry"
read -ra command <<<"$(key Exec | sed 's/ *%[a-zA-Z]//g')"
program="$(command -v "${command[0]}")" || fail "${command[0]} is not on the PATH"
grep -qx "$program" "$scratch/paths" || fail "$program is not the package's"
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY)
[ "$("${no_display[@]}" "$program" --version)" = "$package $version" ] || fail "--version"
"${no_display[@]}" "$program" --help | grep -q -- "--version" || fail "--help"
status=0
"${no_display[@]}" "$program" --no-such-option 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"
class="$("$here/../x11/with_virtual_display.sh" "$here/window_class.sh" "${command[@]}")"
[ "$class" = "$id" ] || fail "the window's class is \"$class\", not \"$id\""

echo "-- remove"
apt-get purge -y -qq -o DPkg::Lock::Timeout=300 "$package" >/dev/null
! dpkg -s "$package" >/dev/null 2>&1 || fail "dpkg still knows $package"
while read -r path; do
  [ ! -e "$path" ] || fail "left behind: $path"
done <"$scratch/new"
echo "package checks passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
