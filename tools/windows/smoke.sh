#!/usr/bin/env bash
# The portable folder's smoke test under wine, after `./build.sh windows`: kemu1.exe on an Xvfb
# display with the windows platform, one practice question answered by key, a short mock exam
# handed in, the program closed by Alt+F4; then its bank must hold the answer and the exam record.
# The windows are found by their titles; the buttons by their places in a 1280×720 screen
# (there is no window manager to give keyboard focus by other means). Every wait is bounded.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Its own screen, unless tools/windows/test.sh made one for the whole run: wine's desktop
# process, started with the prefix, keeps the display it was started with.
if [ -z "${KEMU1_SCREEN:-}" ]; then
    KEMU1_SCREEN=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -nolisten tcp" "$0" "$@"
fi
win=$PWD/build-win
folder=$(echo "$win"/kemu1-*-windows-x64/)
[ -f "$folder/kemu1.exe" ] || { echo "smoke: no portable folder in $win" >&2; exit 1; }
export WINEPREFIX=${WINEPREFIX:-$win/wine} WINEDEBUG=-all
wine=/usr/lib/wine/wine64

work=$(mktemp -d)
shots=$win/smoke
rm -rf "$shots" && mkdir -p "$shots"
cp -r "$folder/." "$work/"
# The windows platform draws Chinese with the fonts of the prefix.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
ln -sf /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$WINEPREFIX/drive_c/windows/Fonts/"

program=
finish() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# A picture of the screen, where ImageMagick is installed.
shot() { ! command -v import >/dev/null || import -window root "$shots/$1.png"; }
fail() {
    echo "smoke: $* (the screen: $shots/failed.png)" >&2
    tail -n 20 "$work/kemu1.log" >&2
    shot failed
    exit 1
}
# The window with this title, once it is there (waiting at most $2 seconds, or 30). A search
# fails now and then when some other window goes away while it looks: it is simply asked again.
window() {
    local deadline=$((SECONDS + ${2:-30})) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -z "$id" ] || { echo "$id"; return 0; }
        sleep 0.5
    done
    return 1
}
settle() { sleep 2; } # the program gives no sign xdotool could wait on
key() { xdotool windowfocus --sync "$1" key "$2" && settle; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1 && settle; }

(cd "$work" && exec "$wine" kemu1.exe >"$work/kemu1.log" 2>&1) &
program=$!
main=$(window '驾驶人科目一理论考试模拟训练' 120) || fail "the main window did not open"
settle
click "$main" 105 58 # 顺序练习
key "$main" b        # the first question's answer, by key
shot practice
click "$main" 105 311 # 模拟考试
briefing=$(window '考试说明') || fail "模拟考试 opened no briefing"
eval "$(xdotool getwindowgeometry --shell "$briefing")"
click "$briefing" $((WIDTH / 2)) $((HEIGHT - 28)) # 开始考试
key "$main" a
key "$main" 1
click "$main" 410 636 # 交卷
confirm=$(window '^提示$') || fail "交卷 asked nothing"
key "$confirm" Return
score=$(window '得分情况') || fail "no score after handing in"
shot score
key "$score" Escape
key "$main" alt+F4 # as 退出 does: the close path, where the bank is closed
timeout 60 tail --pid="$program" -f /dev/null || fail "kemu1.exe did not end after Alt+F4"
program=

bank=$work/images/mark/question.dll
answers=$(sqlite3 "$bank" "select count(*) from History where Mode='sequential'")
records=$(sqlite3 "$bank" "select count(*) from Record")
[ "$answers" = 1 ] || fail "the bank holds $answers practice answers, not 1"
[ "$records" = 1 ] || fail "the bank holds $records exam records, not 1"
echo "smoke: kemu1.exe under wine answered, handed in and ended; the bank holds both"
