#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tablora, builds it, and then starts the
# program (run), runs the whole test suite (test), or checks what tests
# cannot (check: formatting, sanitizers, fuzzing). Safe to run again: it
# installs only what is missing and rebuilds only what changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-svg-dev
          libqt6opengl6-dev libxkbcommon-dev libgl-dev zlib1g-dev libgtest-dev libbenchmark-dev fonts-dejavu-core
          oxygen-icon-theme xvfb xauth
          # The SVG card decks the tests load (the tests also run without them).
          gnome-cards-data kdegames-card-data-kf5)

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
check)
    # What a unit test cannot see: formatting, the desktop files, the whole
    # suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the
    # fuzzers (FUZZ_SECONDS each, 60 unless set). Any report fails.
    packages+=(clang libclang-rt-14-dev clang-format desktop-file-utils appstream)
    install_missing
    build
    echo "== formatting"
    find "$here/src" "$here/tests" "$here/bench" "$here/tools" "$here/fuzz" -name '*.cpp' -o -name '*.h' |
        sort | xargs clang-format --dry-run --Werror
    echo "== desktop files"
    desktop-file-validate "$build"/share/applications/*.desktop
    appstreamcli validate --no-net "$build"/share/metainfo/*.metainfo.xml
    echo "== the test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
    asan="$here/build-asan"
    if [ ! -f "$asan/build.ninja" ]; then
        CC=clang CXX=clang++ cmake -S "$here" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
            -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    fi
    cmake --build "$asan" -j "$(nproc)"
    (cd "$asan" && QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$here/tools/lsan.supp" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$(nproc)")
    echo "== fuzzing"
    "$here/tools/fuzz.sh" "${FUZZ_SECONDS:-60}"
    ;;
*)
    echo "usage: tools/dev.sh run [saved game] | tools/dev.sh test | tools/dev.sh check" >&2
    exit 2
    ;;
esac
