#!/usr/bin/env bash
# Dovrel's one entry point on Debian 12: installs what is missing, builds,
# then plays the game (./dev.sh play) or runs every test (./dev.sh test).
set -euo pipefail
cd "$(dirname "$0")"

# desktop-file-utils and appstream check the installed menu entry in the tests;
# pulseaudio and pulseaudio-utils give the sound test a real sound server.
PACKAGES=(cmake make g++ qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins fonts-liberation2
          desktop-file-utils appstream pulseaudio pulseaudio-utils)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j"$(nproc)"
}

case "${1:-}" in
play)
    install_missing
    build
    exec ./build/dovrel
    ;;
test)
    install_missing
    build
    cd build
    exec ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
