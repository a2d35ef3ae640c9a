#!/usr/bin/env bash
# The two ways in: "run" builds and launches the client, "test" builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

configure() { # dir, extra cmake args...
    local dir=$1; shift
    cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
}

case "${1:-}" in
run)
    shift
    tools/install-deps.sh
    configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ninja -C build/release -j"$jobs" MORVA
    exec build/release/app/MORVA "$@"
    ;;
test)
    tools/install-deps.sh
    status=0
    configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=ON
    ninja -C build/release -j"$jobs"
    (cd build/release && ctest --output-on-failure -j"$jobs" --timeout 300) || status=1
    # The engine, text and tool tests again under the sanitizers.
    for san in address thread; do
        configure "build/$san" -DCMAKE_BUILD_TYPE=Debug -DMORVA_SANITIZE=$san -DMORVA_QT=OFF -DMORVA_BENCH=OFF \
            -DMORVA_WERROR=ON
        ninja -C "build/$san" -j"$jobs"
        (cd "build/$san" && ctest --output-on-failure -j"$jobs" --timeout 300 -L unit) || status=1
    done
    exit $status
    ;;
*)
    echo "usage: tools/morva.sh run [demo] | test" >&2
    exit 2
    ;;
esac
