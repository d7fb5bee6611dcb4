# Shared by the scripts: install what is missing, then configure and build.
# Sourced, not run.

ZIRVANO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZIRVANO_BUILD=${ZIRVANO_BUILD:-$ZIRVANO_ROOT/build}

# The libraries the trainer builds against, by Debian name, one list for
# every build: installed for this machine, and for the target's architecture
# (name:arm64, name:armhf) in a cross build (scripts/test-cross.sh).
ZIRVANO_LIBRARIES=(qt6-base-dev libsdl2-dev libgl-dev libqt6sql6-sqlite qt6-serialport-dev
                   qt6-tools-dev)
# Debian packages that building and running the trainer need: the compiler,
# the libraries, Qt's translation tools (lrelease, lupdate), which a cross
# build runs on this machine too, Qt's own dialogs' texts (the file
# dialog) and the fonts. The record needs Qt's SQLite driver, a plugin
# loaded at run time.
ZIRVANO_PACKAGES=(cmake g++ make qt6-l10n-tools qt6-translations-l10n fonts-liberation
                  "${ZIRVANO_LIBRARIES[@]}")
# What the tests and measurements add: a private PulseAudio server for the
# sound fault tests, an X server with xdotool for real key events, Google
# Benchmark for bench/, sox and multimon-ng for bench_export's independent
# decoding of the WAV exports, and the desktop entry's validator.
ZIRVANO_TEST_PACKAGES=(pulseaudio pulseaudio-utils xvfb xauth xdotool libbenchmark-dev sox multimon-ng
    desktop-file-utils)

zirvano_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs ZIRVANO_PACKAGES and the packages named, those that are missing.
# Nothing is installed with ZIRVANO_NO_INSTALL=1, without dpkg or apt-get, or
# without root or sudo: then it says what is needed and goes on, and the
# build reports what it cannot find.
zirvano_install() {
    local wanted=("${ZIRVANO_PACKAGES[@]}" "$@")
    if ! command -v dpkg-query >/dev/null; then
        echo "Not a Debian system: install the equivalents of ${wanted[*]} (README, Installing)."
        return 0
    fi
    local missing=() pkg
    for pkg in "${wanted[@]}"; do
        zirvano_installed "$pkg" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null && sudo=(sudo)
    fi
    local why=
    if [ "${ZIRVANO_NO_INSTALL:-0}" = 1 ]; then
        why="ZIRVANO_NO_INSTALL=1"
    elif ! command -v apt-get >/dev/null; then
        why="no apt-get"
    elif [ "$(id -u)" -ne 0 ] && [ ${#sudo[@]} -eq 0 ]; then
        why="neither root nor sudo"
    fi
    if [ -n "$why" ]; then
        echo "Not installing ($why). Needed and missing: ${missing[*]}"
        return 0
    fi
    # Packages of another architecture (name:arm64) need it added to dpkg.
    local arch
    for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*://p' | sort -u); do
        if [ "$arch" != "$(dpkg --print-architecture)" ] &&
            ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
            echo "Adding the $arch architecture to dpkg"
            "${sudo[@]}" dpkg --add-architecture "$arch"
        fi
    done
    echo "Installing: ${missing[*]}"
    # A mirror caught mid-sync fails one index or another; the install that
    # follows says whether anything needed was in it.
    "${sudo[@]}" apt-get update -q || echo "apt-get update failed in part; installing from what it has"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

zirvano_build() {
    cmake -S "$ZIRVANO_ROOT" -B "$ZIRVANO_BUILD" "$@" >/dev/null
    cmake --build "$ZIRVANO_BUILD" --parallel "$(nproc)"
}
