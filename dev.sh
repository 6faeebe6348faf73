#!/usr/bin/env bash
# Dovrel's one entry point on Debian 12 and 13: installs what is missing, builds,
# then plays the game (./dev.sh play) or runs every test (./dev.sh test): first
# on the release build, then its Debian package through lintian, then again
# built with AddressSanitizer and UndefinedBehaviorSanitizer, leak checking on.
set -euo pipefail
cd "$(dirname "$0")"

# What the game is built and played with. libpulse-dev builds the audio
# module, which plays through the desktop's sound server; qt6-tools-dev and
# qt6-l10n-tools compile the translations; qt6-translations-l10n gives Qt's own
# words (Yes, No) in the player's language.
PACKAGES=(cmake make g++ qt6-base-dev libpulse-dev qt6-qpa-plugins fonts-liberation2
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)

# What only the tests need: desktop-file-utils and appstream check the installed
# menu entry; pulseaudio and pulseaudio-utils give the sound test a real sound
# server; xvfb, dbus-daemon, at-spi2-core and python3-pyatspi let the
# accessibility test read the board on a real accessibility bus, as a screen
# reader does. CPack needs dpkg-dev and file to work out the package's
# dependencies, and lintian judges it.
TEST_PACKAGES=(desktop-file-utils appstream pulseaudio pulseaudio-utils
               xvfb dbus-daemon at-spi2-core python3-pyatspi lintian dpkg-dev file)

# Installed without what they recommend, which the tests have no use for:
# weston and qt6-wayland let the Wayland test play on a real compositor; the
# screen reader test listens to Orca, which needs no speech engine for it, with
# a window manager to hand the windows the focus and xdotool to press keys.
TEST_PACKAGES_LEAN=(weston qt6-wayland orca openbox xdotool)

source tools/install_missing.sh

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j"$(nproc)"
}

# The sanitizers' runtimes come with g++ (libasan8, libubsan1, liblsan0).
# -O1 keeps the build quick and the stack traces readable; the measuring
# programs are left out.
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

build_sanitized() {
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DCMAKE_CXX_FLAGS="$SANITIZE" -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE" -DDOVREL_BENCH=OFF >/dev/null
    cmake --build build-asan -j"$(nproc)"
}

# Any error or warning from lintian fails the test; informational tags may stay.
check_package() {
    rm -f build/dovrel_*.deb
    (cd build && cpack -G DEB >/dev/null)
    lintian --fail-on error,warning build/dovrel_*.deb
}

test_sanitized() {
    local supp="$PWD/tests/lsan.supp"
    (
        cd build-asan
        export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1"
        export LSAN_OPTIONS="suppressions=$supp"
        export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
        ctest --output-on-failure -j"$(nproc)"
    )
}

case "${1:-}" in
play)
    install_missing "${PACKAGES[@]}"
    build
    exec ./build/dovrel
    ;;
test)
    install_missing "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    install_missing --lean "${TEST_PACKAGES_LEAN[@]}"
    build
    (cd build && ctest --output-on-failure -j"$(nproc)")
    echo "The Debian package, through lintian:"
    check_package
    echo "Again with AddressSanitizer and UndefinedBehaviorSanitizer:"
    build_sanitized
    test_sanitized
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
