#!/usr/bin/env bash
# Puts the trainer into the desktop's menu for the current user.
# Run it from the program's folder (the one holding kemu1), or pass that folder.
set -euo pipefail
folder=$(cd "${1:-$(dirname "$0")}" && pwd)
[ -x "$folder/kemu1" ] || { echo "no kemu1 in $folder" >&2; exit 1; }
apps=${XDG_DATA_HOME:-$HOME/.local/share}/applications
icons=${XDG_DATA_HOME:-$HOME/.local/share}/icons/hicolor/256x256/apps
mkdir -p "$apps" "$icons"
cp "$folder/images/kemu1.png" "$icons/kemu1.png"
cat >"$apps/kemu1.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=驾驶人科目一理论考试模拟训练
Name[zh_CN]=驾驶人科目一理论考试模拟训练
GenericName=驾照理论考试练习
Comment=小车、货车、客车科目一理论考试练习与模拟考试
Exec="$folder/kemu1"
Path=$folder
Icon=kemu1
Terminal=false
Categories=Education;
ENTRY
command -v update-desktop-database >/dev/null && update-desktop-database "$apps" >/dev/null 2>&1 || true
echo "installed: $apps/kemu1.desktop"
