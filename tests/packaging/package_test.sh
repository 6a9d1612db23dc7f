#!/usr/bin/env bash
# The installed program and its Debian package, from a built tree:
#   package_test.sh BUILD_DIR
# - `cmake --install` puts the program, its desktop entry, its icons and its AppStream
#   metainfo in place, and both files pass their validators (no network);
# - `cpack -G DEB` makes a package whose files are those and nothing else, whose
#   dependencies were computed from the program's libraries, and whose program,
#   unpacked, starts under Xvfb and shows a window of the class the entry names.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Installation.
cmake --install "$build" --prefix "$work/prefix/usr" >/dev/null
share=$work/prefix/usr/share
desktop=$share/applications/org.tolvera.Tolvera.desktop
[[ -x $work/prefix/usr/bin/tolvera ]] || fail "no program in bin/"
for size in 16 32 48 64 128; do
    [[ -f $share/icons/hicolor/${size}x${size}/apps/org.tolvera.Tolvera.png ]] ||
        fail "no ${size}px icon"
done
[[ -f $share/icons/hicolor/scalable/apps/org.tolvera.Tolvera.svg ]] || fail "no scalable icon"
desktop-file-validate "$desktop" || fail "desktop entry rejected"
grep -qx 'Name\[zh_CN\]=Tolvera站长工具' "$desktop" || fail "no Chinese name"
grep -qx 'Categories=Network;WebDevelopment;' "$desktop" || fail "categories"
appstreamcli validate --no-net "$share/metainfo/org.tolvera.Tolvera.metainfo.xml" ||
    fail "metainfo rejected"

# The package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
debs=("$work"/deb/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no single .deb"
deb=${debs[0]}
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(printf '%s\n' ./usr/bin/tolvera \
    ./usr/share/applications/org.tolvera.Tolvera.desktop \
    ./usr/share/metainfo/org.tolvera.Tolvera.metainfo.xml \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/org.tolvera.Tolvera.png \
    ./usr/share/icons/hicolor/scalable/apps/org.tolvera.Tolvera.svg | sort)
[[ $files == "$expected" ]] || fail "package files: $files"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libcurl4 libjpeg62-turbo; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
for field in Maintainer Section Description; do
    [[ -n $(dpkg-deb -f "$deb" "$field") ]] || fail "no $field"
done

# The unpacked program starts and shows its window, in a home of its own.
dpkg-deb -x "$deb" "$work/root"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config \
    xvfb-run -a bash -c '
        "$1" & program=$!
        for _ in $(seq 100); do   # up to 20 s for the window
            if xwininfo -root -tree | grep -q "(\"tolvera\" \"tolvera\")"; then
                kill "$program"; wait "$program" || true; exit 0
            fi
            kill -0 "$program" 2>/dev/null || exit 3
            sleep 0.2
        done
        kill "$program"; exit 4' starter "$work/root/usr/bin/tolvera" ||
    fail "the unpacked program showed no window of class tolvera"
echo "package test: ok ($(basename "$deb"))"
