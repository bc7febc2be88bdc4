#!/usr/bin/env bash
# Sets up, builds and runs Quorvane on a Debian machine.
#   scripts/quorvane.sh run    install what is missing, build Release, start the program
#   scripts/quorvane.sh test   install what is missing, build, run every test
# Both can be run again at any time; they only do what is still missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${QUORVANE_BUILD_DIR:-build}
PACKAGES=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev fonts-noto-cjk xvfb xauth
          clang libclang-rt-14-dev)

say() { printf '\n== %s\n' "$*"; }

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        say "All packages present"
        return
    fi
    say "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    say "Configuring ($BUILD_DIR, Release)"
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    say "Building with $(nproc) jobs"
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}

run_program() {
    local app="$BUILD_DIR/app"
    if [ -x "$app/quorvane" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
        say "Starting $app/quorvane"
        # The ready flag lives in the working directory, as it always has.
        cd "$app"
        exec ./quorvane
    fi
    if [ -x "$app/quorvane" ]; then
        say "No display available: running the start-up without windows instead"
    else
        say "Running the start-up without windows"
    fi
    # The ready flag lives in the working directory, as it always has: run from the app dir.
    cd "$app"
    ./quorvane-cli startup
}

run_tests() {
    say "Running every test"
    cd "$BUILD_DIR"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build
    run_program
    ;;
test)
    install_missing
    build -DQUORVANE_WERROR=ON
    run_tests
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
