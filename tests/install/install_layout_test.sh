#!/usr/bin/env bash
# `cmake --install` into an empty folder puts the program, its menu entry, its icon in every
# size of the hicolor theme and its AppStream metadata where desktops look for them, and the
# entry and the metadata are valid and point at what was installed.
set -euo pipefail
build=$1
id=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/sight-trainer" ] || fail "no executable bin/sight-trainer"

desktop="$prefix/share/applications/$id.desktop"
[ -f "$desktop" ] || fail "no desktop entry $id.desktop"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
for line in 'Type=Application' 'Name=Тренажер' 'Terminal=false' 'Categories=Education;'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks '$line'"
done
grep -q '^GenericName=.' "$desktop" || fail "the desktop entry has no GenericName"
grep -q '^Comment=.' "$desktop" || fail "the desktop entry has no Comment"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "the entry starts '$exec_name', which was not installed"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")

for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon_name.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon named '$icon_name'"
    drawn=$(identify -format '%wx%h' "$icon")
    [ "$drawn" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $drawn"
done

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metadata $id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata is not valid"
grep -qF "<id>$id</id>" "$metainfo" || fail "the metadata has another id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch the installed desktop entry"
grep -qF "<binary>$exec_name</binary>" "$metainfo" ||
    fail "the metadata does not provide the installed executable"
echo "install layout: passed"
