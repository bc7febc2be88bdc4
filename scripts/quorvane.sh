#!/usr/bin/env bash
# Sets up, builds and runs Quorvane on a Debian machine.
#   scripts/quorvane.sh run    install what is missing, build Release, start the program
#   scripts/quorvane.sh test   install what is missing, build, run every test; then run
#                              every test again under the address and undefined-
#                              behaviour sanitizers, and every fuzz target for a while
#                              (QUORVANE_FUZZ_SECONDS each, 60 by default; 0 skips them)
# Both can be run again at any time; they only do what is still missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${QUORVANE_BUILD_DIR:-build}
PACKAGES=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
          libgl-dev fonts-noto-cjk xvfb xauth
          clang libclang-rt-14-dev clang-format)

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

# The shape of the sources: no include runs up the floors of src/, and every source is
# formatted as .clang-format says.
check_sources() {
    say "Checking the include floors"
    scripts/check-layers.sh
    say "Checking the formatting"
    find src tests bench fuzz -name '*.h' -o -name '*.cpp' | sort | xargs clang-format --dry-run --Werror
}

run_tests() {
    say "Running every test"
    cd "$BUILD_DIR"
    rm -f crash-safety.txt
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    [ ! -f crash-safety.txt ] || cat crash-safety.txt
}

# The whole test suite once more, the windows included, built with the address and
# undefined-behaviour sanitizers; any report, leaks included, fails the run.
run_sanitized_tests() {
    local dir=${QUORVANE_SANITIZE_BUILD_DIR:-build-asan}
    say "Configuring ($dir, RelWithDebInfo, address and undefined-behaviour sanitizers)"
    # Without -Werror: GCC's sanitizer instrumentation brings false warnings inside the
    # standard library (-Wrestrict, -Wmaybe-uninitialized); the first build is the warning gate.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_SANITIZE=address,undefined \
        -DQUORVANE_BUILD_GUI=ON -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_WERROR=OFF >/dev/null
    say "Building with $(nproc) jobs"
    cmake --build "$dir" -j"$(nproc)"
    say "Running every test with the sanitizers"
    (
        cd "$dir"
        export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1
        export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
        export QT_QPA_PLATFORM=offscreen
        rm -f crash-safety.txt
        ctest --output-on-failure -j"$(nproc)"
        [ ! -f crash-safety.txt ] || cat crash-safety.txt
    )
}

# Every libFuzzer target (clang), each for QUORVANE_FUZZ_SECONDS from its committed corpus;
# a crash, a sanitizer report, a hang or running out of memory fails the run.
run_fuzzers() {
    local seconds=${QUORVANE_FUZZ_SECONDS:-60}
    if [ "$seconds" -le 0 ]; then
        say "Fuzzing skipped (QUORVANE_FUZZ_SECONDS=$seconds)"
        return
    fi
    local dir=${QUORVANE_FUZZ_BUILD_DIR:-build-fuzz}
    say "Configuring ($dir, clang, libFuzzer)"
    CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON \
        -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF >/dev/null
    say "Building with $(nproc) jobs"
    cmake --build "$dir" -j"$(nproc)"

    say "Fuzzing every target for $seconds s, $(nproc) at a time"
    local names=() name
    for corpus in fuzz/corpus/*/; do
        name=$(basename "$corpus")
        [ -x "$dir/fuzz/fuzz_$name" ] || { echo "no fuzz target for fuzz/corpus/$name" >&2; return 1; }
        names+=("$name")
    done
    mkdir -p "$dir/artifacts"
    rm -f "$dir"/fuzz-*.status
    fuzz_one() {
        local name=$1
        # New inputs go to the build tree; the committed corpus is only read.
        mkdir -p "$dir/corpus/$name"
        local status=0
        ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            "$dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$dir/artifacts/$name-" \
            "$dir/corpus/$name" "fuzz/corpus/$name" >"$dir/fuzz-$name.log" 2>&1 || status=$?
        echo "$status" >"$dir/fuzz-$name.status"
    }
    local pids=() failed=0
    for name in "${names[@]}"; do
        fuzz_one "$name" &
        pids+=($!)
        if [ ${#pids[@]} -ge "$(nproc)" ]; then
            wait "${pids[0]}" || true
            pids=("${pids[@]:1}")
        fi
    done
    wait || true
    for name in "${names[@]}"; do
        local log="$dir/fuzz-$name.log" runs status
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        status=$(cat "$dir/fuzz-$name.status" 2>/dev/null || echo missing)
        if [ "$status" != 0 ] || [ -z "$runs" ]; then
            echo "fuzz_$name FAILED (log $log):" >&2
            tail -n 40 "$log" >&2
            failed=1
        else
            printf '  fuzz_%-14s %10s executions in %s s\n' "$name" "$runs" "$seconds"
        fi
    done
    return $failed
}

case "${1:-}" in
run)
    install_missing
    build
    run_program
    ;;
test)
    install_missing
    check_sources
    build -DQUORVANE_WERROR=ON
    (run_tests)
    run_sanitized_tests
    run_fuzzers
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
