#!/usr/bin/env bash
# The Windows tests, after `./build.sh windows`: the test programs cross-built in build-win and
# run under wine in one prefix, then the portable folder's smoke test (tools/windows/smoke.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
# One 1280×720 screen for the whole run (the smoke test's): wine's desktop process, started
# with the prefix, keeps the display it was started with.
if [ -z "${KEMU1_SCREEN:-}" ]; then
    KEMU1_SCREEN=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -nolisten tcp" "$0" "$@"
fi
win=$PWD/build-win
export WINEPREFIX=$win/wine WINEDEBUG=-all
ninja -C "$win" -j"${KEMU1_JOBS:-$(nproc)}"
# One wine server for the whole run, started apart from ctest: a server started by the first
# test would hold ctest's output open until it idled out. The prefix is booted once.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -k >/dev/null 2>&1 && /usr/lib/wine/wineserver -w # one left from another screen
/usr/lib/wine/wineserver -p >/dev/null 2>&1
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true' EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
(cd "$win" && ctest -j2 --output-on-failure)
tools/windows/smoke.sh
