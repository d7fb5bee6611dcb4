#!/usr/bin/env bash
# Builds the Debian package, installs it as a user would, checks that the
# desktop finds everything where it looks and that the installed trainer comes
# up, then removes the package again. Needs root (or sudo) for apt-get.
# Prints one PASS or FAIL line; exits non-zero on failure.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Runtime packages the trainer's binary and windows cannot do without.
REQUIRED_DEPENDS=(libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libsdl2-2.0-0
                  fonts-liberation)
ICONS=(scalable/apps/zirvano.svg 48x48/apps/zirvano.png 128x128/apps/zirvano.png
       256x256/apps/zirvano.png)
DESKTOP_ID=org.example.kaltor.Zirvano

SUDO=()
[ "$(id -u)" -ne 0 ] && SUDO=(sudo)
WORK=$(mktemp -d)
APP_PID=
WAS_INSTALLED=
INSTALLED=

step() { echo "== $*"; }

fail() {
    echo "package-check: FAIL: $*"
    exit 1
}

cleanup() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null || true
        wait "$APP_PID" 2>/dev/null || true
    fi
    if [ -n "$INSTALLED" ] && [ -z "$WAS_INSTALLED" ]; then
        step "Removing the package"
        DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get remove -y -q zirvano >/dev/null ||
            echo "package-check: could not remove zirvano; run: apt-get remove zirvano"
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

is_installed() {
    dpkg-query -W -f='${Status}' zirvano 2>/dev/null | grep -q 'install ok installed'
}

# The package that owns a library file, whichever side of the /usr merge dpkg
# recorded it on.
owner_of() {
    local path=$1 real
    real=$(readlink -f "$path")
    for p in "$path" "$real" "${path#/usr}" "${real#/usr}" "/usr$path" "/usr$real"; do
        dpkg-query -S "$p" >"$WORK/owner" 2>/dev/null && cut -d: -f1 "$WORK/owner" | sed -n 1p &&
            return 0
    done
    return 1
}

zirvano_install desktop-file-utils appstream binutils file dpkg-dev
zirvano_build

step "Validating the desktop entry and the AppStream metadata"
desktop-file-validate "$ZIRVANO_ROOT/data/$DESKTOP_ID.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$ZIRVANO_ROOT/data/$DESKTOP_ID.metainfo.xml" ||
    fail "AppStream metadata invalid"

step "Building the package"
rm -f "$ZIRVANO_BUILD"/zirvano_*.deb
(cd "$ZIRVANO_BUILD" && cpack -G DEB >"$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$ZIRVANO_BUILD"/zirvano_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one zirvano_*.deb in $ZIRVANO_BUILD"
fi
deb=${debs[0]}
echo "$(basename "$deb"), $(stat -c %s "$deb") bytes"

step "Checking the package's dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Package names alone, one per line, without versions or alternatives.
depend_names=$(tr ',|' '\n' <<<"$depends" | sed -e 's/(.*)//' -e 's/[[:space:]]//g' | sed '/^$/d')
for pkg in "${REQUIRED_DEPENDS[@]}"; do
    grep -qx "$pkg" <<<"$depend_names" || fail "Depends lacks $pkg"
done
# Every library the binary links must come from a package it depends on, or
# the package installs but the trainer does not start on a fresh machine.
ldconfig -p >"$WORK/ldcache"
while read -r lib; do
    path=$(awk -v l="$lib" '$1 == l && /x86-64/ {print $NF; exit}' "$WORK/ldcache")
    [ -n "$path" ] || path=$(awk -v l="$lib" '$1 == l {print $NF; exit}' "$WORK/ldcache")
    [ -n "$path" ] || fail "$lib, linked by zirvano, is not on this machine"
    owner=$(owner_of "$path") || fail "no package owns $path ($lib)"
    grep -qx "$owner" <<<"$depend_names" || fail "zirvano links $lib from $owner, missing from Depends"
done < <(objdump -p "$ZIRVANO_BUILD/app/zirvano" | awk '$1 == "NEEDED" {print $2}')

step "Installing the package"
is_installed && WAS_INSTALLED=yes
# apt reads a local package as its unprivileged user: give it a readable copy.
chmod 755 "$WORK"
cp "$deb" "$WORK/"
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -q "$WORK/$(basename "$deb")" \
    >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get install of the package failed"; }
INSTALLED=yes
is_installed || fail "dpkg does not list zirvano as installed"

step "Checking the installed files"
[ -x /usr/bin/zirvano ] || fail "/usr/bin/zirvano missing or not executable"
[ "$(command -v zirvano)" = /usr/bin/zirvano ] || fail "zirvano on the PATH is $(command -v zirvano)"
if ldd /usr/bin/zirvano | grep -q 'not found'; then
    ldd /usr/bin/zirvano | grep 'not found'
    fail "the installed binary misses libraries"
fi
desktop=/usr/share/applications/$DESKTOP_ID.desktop
metainfo=/usr/share/metainfo/$DESKTOP_ID.metainfo.xml
[ -f "$desktop" ] || fail "$desktop missing"
[ -f "$metainfo" ] || fail "$metainfo missing"
desktop-file-validate "$desktop" || fail "installed desktop entry invalid"
appstreamcli validate --no-net "$metainfo" || fail "installed AppStream metadata invalid"
grep -qx 'Exec=zirvano' "$desktop" || fail "desktop entry does not start zirvano"
grep -qx 'Exec=zirvano --course' "$desktop" || fail "desktop entry has no Koch course action"
# The main group's icon; each action repeats it.
icon=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Icon=//p' "$desktop")
for f in "${ICONS[@]}"; do
    want=/usr/share/icons/hicolor/${f%zirvano.*}$icon.${f##*.}
    [ -s "$want" ] || fail "icon $want missing"
done
for size in 48 128 256; do
    file "/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png" | grep -q "$size x $size" ||
        fail "the ${size}x${size} icon is not $size pixels square"
done
ls -l /usr/bin/zirvano "$desktop" "$metainfo" /usr/share/icons/hicolor/*/apps/"$icon".*

step "Starting the installed trainer headless"
mkdir -p "$WORK/config/Brevanto" "$WORK/runtime"
chmod 700 "$WORK/runtime"
# English already chosen, so no language window waits for an answer.
printf '[General]\nIdioma=2\n' >"$WORK/config/Brevanto/Zirvano.ini"
(cd / && exec env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy HOME="$WORK" \
    XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" zirvano) \
    >"$WORK/zirvano.log" 2>&1 &
APP_PID=$!
sleep 4
if ! kill -0 "$APP_PID" 2>/dev/null; then
    rc=0
    wait "$APP_PID" || rc=$?
    APP_PID=
    cat "$WORK/zirvano.log"
    fail "the installed trainer ended within 4 s (exit status $rc)"
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=
grep -qx 'Idioma=2' "$WORK/config/Brevanto/Zirvano.ini" || fail "the stored language changed"
# The learner's record in the user's data folder, through the SQLite driver.
[ -s "$WORK/.local/share/Brevanto/Zirvano/record.sqlite" ] ||
    fail "no learner's record in the data folder (is the SQLite driver installed?)"
[ ! -e "$WORK/config/Brevanto/record.sqlite" ] || fail "the record was put beside the settings"
echo "still running after 4 s, with its record; stopped"

step "Removing the package"
if [ -z "$WAS_INSTALLED" ]; then
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get remove -y -q zirvano >"$WORK/apt.log" 2>&1 ||
        { cat "$WORK/apt.log"; fail "apt-get remove zirvano failed"; }
    INSTALLED=
    [ ! -e /usr/bin/zirvano ] || fail "/usr/bin/zirvano left behind by the removal"
else
    INSTALLED=
    echo "zirvano was installed before this check: left installed (now this build)"
fi

echo "package-check: PASS ($(basename "$deb"))"
