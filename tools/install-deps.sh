#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing MORVA need. A no-op when all are present.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libxcb1-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    ngircd xvfb xauth xdotool imagemagick fonts-dejavu-core
    fp-utils
    g++-mingw-w64-x86-64-posix wine wine64 googletest
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
