#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tablora, builds it, and then starts the
# program (run) or runs the whole test suite (test). Safe to run again: it
# installs only what is missing and rebuilds only what changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-svg-dev
          libqt6opengl6-dev libxkbcommon-dev libgl-dev libgtest-dev libbenchmark-dev fonts-dejavu-core oxygen-icon-theme
          xvfb xauth)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$build" -j "$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build
    shift
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Tablora under Xvfb, a virtual display nobody sees." >&2
        echo "Run it from a desktop session (or set DISPLAY) to see and play it." >&2
        exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/tablora" "$@"
    fi
    exec "$build/tablora" "$@"
    ;;
test)
    install_missing
    build
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: tools/dev.sh run [saved game] | tools/dev.sh test" >&2
    exit 2
    ;;
esac
