#!/usr/bin/env bash
# The Windows build, run by `./build.sh windows` once it has installed the packages and built
# the tools the build runs here (picgen, bank) in build/. Cross-builds kemu1.exe and bank.exe
# with mingw-w64 and the Qt for Windows from ../shared/toolchains, then lays out the portable
# folder, its zip and the NSIS installer in build-win/.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
host=$root/build
win=$root/build-win
jobs=${KEMU1_JOBS:-$(nproc)}
sdk_archive=${KEMU1_WINDOWS_QT:-$root/../shared/toolchains/qt6.4.2-mingw64-qtbase-sdk.tar.xz}
triple=x86_64-w64-mingw32

# The Qt for Windows, unpacked once per archive (its checksum file says which one).
[ -f "$sdk_archive" ] || { echo "No Qt for Windows at $sdk_archive" >&2; exit 1; }
mkdir -p "$win/deps"
sum=$(sha256sum "$sdk_archive" | cut -d' ' -f1)
if [ -f "$sdk_archive.sha256" ] && ! grep -q "$sum" "$sdk_archive.sha256"; then
    echo "$sdk_archive does not match its checksum" >&2
    exit 1
fi
qt=$win/deps/qt6-mingw
if [ "$(cat "$win/deps/qt.sum" 2>/dev/null)" != "$sum" ]; then
    rm -rf "$qt"
    tar -xJf "$sdk_archive" -C "$win/deps"
    echo "$sum" >"$win/deps/qt.sum"
fi

# libcsv has no Windows build in Debian: its source package, fetched through a private
# source list (the machine's apt setup is left alone), gives the one file the bank tool needs.
csv=$(echo "$win"/deps/src/libcsv-*/)
if [ ! -f "$csv/libcsv.c" ]; then
    apt=$win/deps/apt
    mkdir -p "$apt"/lists/partial "$apt"/cache/archives/partial "$apt"/parts "$win/deps/src"
    awk 'BEGIN{RS="";ORS="\n\n"} NR==1' /etc/apt/sources.list.d/debian.sources |
        sed 's/^Types: deb$/Types: deb-src/' >"$apt/parts/src.sources"
    opts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/parts"
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    apt-get "${opts[@]}" update -qq
    (cd "$win/deps/src" && apt-get "${opts[@]}" source --download-only -qq libcsv &&
        tar -xzf libcsv_*.orig.tar.gz)
    csv=$(echo "$win"/deps/src/libcsv-*/)
fi

"$qt/bin/qt-cmake" -G Ninja -S "$root" -B "$win" -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DKEMU1_HOST_TOOLS="$host" -DKEMU1_LIBCSV_SOURCE="$csv" >/dev/null
ninja -C "$win" -j"$jobs" kemu1 bank runtime_folder

version=$(sed -n 's/^project(kemu1 VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=kemu1-$version-windows-x64
out=$win/$name
rm -rf "$out" "$win/$name.zip"
mkdir -p "$out"

# The runtime folder as the Linux build has it, with a fresh bank (never the one a build
# folder has been practised on); the Linux desktop-entry helper stays behind.
cp -r "$win/app/." "$out/"
rm -f "$out"/images/mark/question.dll* "$out/install-desktop-entry.sh"
cp "$win/pristine/question.dll" "$out/images/mark/"
cp "$win/tools/bank/bank.exe" "$out/"

# What windeployqt would do: the plugins the program loads, then every DLL the executables
# and plugins import, followed until nothing new is found (system DLLs are not ours to ship).
mkdir -p "$out/plugins"/{platforms,sqldrivers,imageformats,styles}
for plugin in platforms/qwindows sqldrivers/qsqlite imageformats/qjpeg imageformats/qgif \
    styles/qwindowsvistastyle; do
    cp "$qt/plugins/$plugin.dll" "$out/plugins/$plugin.dll"
done
printf '[Paths]\r\nPlugins = plugins\r\n' >"$out/qt.conf"
search=("$qt/bin" /usr/lib/gcc/$triple/12-posix /usr/$triple/lib)
queue=("$out/kemu1.exe" "$out/bank.exe" "$out"/plugins/*/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $($triple-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$out/$dll" ] && continue
        for dir in "${search[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$out/$dll"
                queue+=("$out/$dll")
                break
            fi
        done
    done
done
find "$out" -name '*.exe' -o -name '*.dll' -a ! -name question.dll |
    xargs $triple-strip --strip-unneeded
(cd "$win" && rm -f "$name.zip" && zip -qr -9 "$name.zip" "$name")

# The installer: the same folder under Program Files, a Start-menu entry and an uninstaller
# that removes the files it installed (listed here), deepest folders last. The bank stays: in
# a folder the learner can write to it holds their practice, and its folder with it.
(
    cd "$out"
    find . -type f ! -path ./images/mark/question.dll | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|'
) >"$out.files.nsh"
makensis -V2 -DVERSION="$version" -DSOURCE="$out" -DOUTFILE="$win/$name-setup.exe" -DICON="$win/src/kemu1.ico" \
    "$root/data/windows/installer.nsi"
echo "Built $win/$name.zip and $win/$name-setup.exe"
