#!/usr/bin/env bash
# Sets up, builds and then runs the trainer (`./build.sh run`) or its tests (`./build.sh test`);
# `./build.sh windows` cross-builds the Windows zip and installer (see tools/windows/build.sh).
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

# qt6-speech-dev's CMake files need qt6-declarative-dev (QmlIntegration) to be found at all.
packages=(cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-speech-dev qt6-declarative-dev libcsv-dev fonts-noto-cjk)
# The school's database: Qt's PostgreSQL driver, and a server the tests start for themselves;
# the desktop's keyring keeps a learner's school password.
packages+=(libqt6sql6-psql postgresql qtkeychain-qt6-dev)
# The Windows build: the cross compiler, wine for its tests, makensis for the installer, and
# what the smoke test drives the program and reads its bank with.
if [ "$mode" = windows ]; then
    packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 nsis ninja-build zip xvfb
        xdotool sqlite3)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$mode" = windows ]; then
    # Only the tools the Windows build runs here.
    cmake --build build -j"$(nproc)" --target picgen bank
    exec tools/windows/build.sh
fi
cmake --build build -j"$(nproc)"

case "$mode" in
run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "没有找到图形桌面（DISPLAY 未设置），无法打开窗口。"
        echo "No graphical display: run this from a desktop session, or try it headless with:"
        echo "  xvfb-run -s '-screen 0 1280x800x24' build/app/kemu1"
        echo "The program is built in build/app/ and can be started from there."
        exit 1
    fi
    exec build/app/kemu1
    ;;
test)
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure
    ;;
*)
    echo "usage: ./build.sh [run|test|windows]" >&2
    exit 2
    ;;
esac
