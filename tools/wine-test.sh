#!/usr/bin/env bash
# Cross-builds the Qt-free libraries, ircprobe and their tests for 64-bit Windows (MinGW-w64) in build/mingw and
# runs the test executables under wine, in a throw-away wine prefix without a display. The loopback test servers
# run inside the Windows test processes; the sockets are the host's.
#
#   tools/wine-test.sh          build and run everything
#   MORVA_JOBS=1 tools/wine-test.sh
#
# Exits 0 when every test passed, 1 on a failure, 2 when the cross compiler, wine or the GoogleTest sources
# are missing (tools/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${MORVA_JOBS:-$(nproc)}
build=build/mingw

missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null || missing+=(wine wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
if [ ${#missing[@]} -ne 0 ]; then
    echo "wine-test: missing packages: ${missing[*]}" >&2
    exit 2
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_QT=OFF -DMORVA_BENCH=OFF -DMORVA_WERROR=ON >/dev/null
ninja -C "$build" -j"$jobs"

prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k >/dev/null 2>&1 || true # the server of this prefix only
    rm -rf "$prefix"
}
trap cleanup EXIT

# Start the prefix once with its services detached from our output, so that later runs start quickly and no
# service holds a test's output pipe open.
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot.exe --init >/dev/null 2>&1 </dev/null

status=0
(cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 300 </dev/null) || status=1

# The headless driver as a Windows program: a refused connect reports the Windows Sockets number and text.
out=$(wine "$build/tools/ircprobe.exe" --host 127.0.0.1 --port 1 </dev/null 2>&1 | tr -d '\r' || true)
want=$(printf 'Error\tEIdConnectException\tSocket Error # 10061\\x0D\\x0AConnection refused.')
if grep -qxF "$want" <<<"$out"; then
    echo "ircprobe.exe: refused connect reported as Socket Error # 10061"
else
    echo "ircprobe.exe: unexpected output:" >&2
    echo "$out" >&2
    status=1
fi
exit $status
