# Shared by run.sh and test.sh: install what is missing, then configure and build.
# Sourced, not run.

ZIRVANO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZIRVANO_BUILD=${ZIRVANO_BUILD:-$ZIRVANO_ROOT/build}

# Debian packages the trainer needs to build and run, and its tests (a
# PulseAudio server, and an X server with xdotool for real key events).
ZIRVANO_PACKAGES=(cmake g++ make qt6-base-dev libsdl2-dev libgl-dev fonts-liberation libbenchmark-dev pulseaudio pulseaudio-utils xvfb xauth xdotool)

zirvano_install() {
    local missing=()
    local pkg
    for pkg in "${ZIRVANO_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

zirvano_build() {
    cmake -S "$ZIRVANO_ROOT" -B "$ZIRVANO_BUILD" "$@" >/dev/null
    cmake --build "$ZIRVANO_BUILD" --parallel "$(nproc)"
}
