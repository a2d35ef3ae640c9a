#!/usr/bin/env bash
# The two ways in: "run" builds and launches the client, "test" builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

configure() { # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
}

step() { printf '\n=== %s\n' "$*"; }

case "${1:-}" in
run)
    shift
    tools/install-deps.sh
    # The same configuration as the test command's release build, so that the two share one build.
    configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=ON
    if [ "${1:-}" = demo ]; then
        shift
        ninja -C build/release -j"$jobs" morva demobot
        exec tools/demo.sh build/release "$@"
    fi
    ninja -C build/release -j"$jobs" morva
    exec build/release/app/MORVA "$@"
    ;;
test)
    tools/install-deps.sh
    status=0
    start=$(date +%s)

    step "format"
    tools/check-format.sh || status=1

    step "release build and every test"
    configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=ON
    ninja -C build/release -j"$jobs"
    (cd build/release && ctest --output-on-failure -j"$jobs" --timeout 300) || status=1

    # Every test again under AddressSanitizer and UndefinedBehaviorSanitizer; the Qt-free libraries (text,
    # engine, util) and the tools under ThreadSanitizer too, where building them without Qt also proves that
    # they include no Qt header.
    for san in address thread; do
        step "$san sanitizer"
        qt=ON
        [ $san = thread ] && qt=OFF
        configure "build/$san" -DCMAKE_BUILD_TYPE=Debug -DMORVA_SANITIZE=$san -DMORVA_QT=$qt -DMORVA_BENCH=OFF \
            -DMORVA_WERROR=ON
        ninja -C "build/$san" -j"$jobs"
        (cd "build/$san" && ctest --output-on-failure -j"$jobs" --timeout 300) || status=1
    done

    step "fuzzing line splitting and dispatch for 60 seconds"
    CC=clang CXX=clang++ configure build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_FUZZ=ON -DMORVA_QT=OFF \
        -DMORVA_BENCH=OFF
    ninja -C build/fuzz -j"$jobs" fuzz_dispatch
    work=$(mktemp -d)
    cp tests/data/fuzz/corpus/* "$work/"
    build/fuzz/tests/fuzz/fuzz_dispatch -max_total_time=60 -max_len=4096 -artifact_prefix="$work/crash-" \
        "$work" >"$work/log" 2>&1 || { tail -50 "$work/log"; status=1; }
    grep -E '^(Done|#[0-9]+ +DONE)' "$work/log" | tail -1 || true
    rm -rf "$work"

    step "Windows build of the Qt-free libraries, tests under wine"
    if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
        tools/wine-test.sh || status=1
    else
        echo "skipped: wine or MinGW-w64 is not installed"
    fi

    step "done in $(($(date +%s) - start)) s"
    exit $status
    ;;
*)
    echo "usage: tools/morva.sh run [demo] | test" >&2
    exit 2
    ;;
esac
