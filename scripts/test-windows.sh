#!/usr/bin/env bash
# Tests the Windows installer under Wine on a private X server: installs it silently, plays the
# installed trainer's whole flow from its Start-menu entry with the mouse and keyboard (both
# exercises to their end, leaving mid-test, moving between the windows, "Повтор", both
# "Выход"), then uninstalls it and checks that nothing of it is left.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh" "$top/scripts/packages-windows.txt"

installer=${1:-}
if [ -z "$installer" ]; then
    installer=$(find "$top/build-windows" -maxdepth 1 -name 'sight-trainer-*-windows-x64-setup.exe' \
        2>/dev/null | sort | tail -n 1)
fi
if [ -z "$installer" ] || [ ! -f "$installer" ]; then
    echo "No installer to test; scripts/build-windows.sh makes one in build-windows/." >&2
    exit 1
fi
installer=$(readlink -f "$installer")
# Screenshots of every step, kept for a look afterwards.
shots=$top/build-windows/wine-test
rm -rf "$shots"
mkdir -p "$shots"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# No offer to download Mono or Gecko, and no menu entries or file associations on this
# machine's own desktop for what is installed inside the prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

source "$top/tests/e2e/x_session.sh"
# A program starting under Wine may take a while the first time; a failure keeps the screen.
WAIT_TENTHS=300
E2E_SCREENSHOT=$shots/failure.png
start_x_session
use_driver wine
source "$top/tests/e2e/flow.sh"
use_reader glyphs
cleanup() {
    wineserver -k 2>/dev/null || true
    stop_x_session
    rm -rf "$work"
}
trap cleanup EXIT

step=0
screenshot() {
    step=$((step + 1))
    import -window root "$shots/$(printf '%02d' "$step")-$1.png"
}

# A registry key of the prefix, as text, or nothing where it does not exist.
registry_key() {
    local file=$work/key.reg
    rm -f "$file"
    wine reg export "$1" "$file" /y >/dev/null 2>&1 || true
    [ -f "$file" ] && iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' || true
}

# What an installation may change: the files of the prefix's C: drive and the two Software
# branches of the registry. The temporary folders are left out: the Windows uninstaller runs
# from a copy of itself there.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -not -path './users/*/Temp/*' -not -path './windows/temp/*' |
        sort) >"$work/$1.files"
    registry_key 'HKLM\Software' >"$work/$1.registry"
    registry_key 'HKCU\Software' >>"$work/$1.registry"
}

echo "Preparing a Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
snapshot before

echo "Installing $(basename "$installer") silently"
wine "$installer" /S || fail "the installer ended with status $?"
wineserver -w
install_dir="$WINEPREFIX/drive_c/Program Files/Sight Trainer"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Тренажер.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\SightTrainer'
[ -f "$install_dir/sight-trainer.exe" ] || fail "no sight-trainer.exe in $install_dir"
[ -f "$install_dir/platforms/qwindows.dll" ] || fail "no Windows platform plugin installed"
[ -f "$shortcut" ] || fail "no Start-menu entry Тренажер"
[[ "$(registry_key "$uninstall_key")" == *'"DisplayName"="Тренажер"'* ]] ||
    fail "the uninstaller is not registered with Windows"

# The whole flow, as on the Linux desktops, from the Start-menu entry, which hands the
# program over to the shell and returns. The program's window names its process.
start_program() {
    wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Тренажер.lnk' ||
        fail "the Start-menu entry did not start"
    MODE=$(wait_for_window "$MODE_TITLE")
    APP_PID=$(xdotool getwindowpid "$MODE")
    local command_line
    command_line=$(tr '\0' ' ' <"/proc/$APP_PID/cmdline")
    [[ "$command_line" == *'C:\Program Files\Sight Trainer\sight-trainer.exe'* ]] ||
        fail "the window Тренажер is not of the installed program: $command_line"
    wait_until "the mode window is not the active window" window_is_active "$MODE"
}
wait_for_program_end() {
    WAIT_TENTHS=100 wait_for_end "$APP_PID" "$1"
    APP_PID=
}
play_whole_flow
# Nothing else is left running either, such as Wine's report of a crash at the end.
timeout 60 wineserver -w || fail "processes of the prefix are still running after the trainer ended"

echo "Uninstalling"
# The uninstaller hands over to a copy of itself and returns at once; the prefix's processes
# all ending is the copy's end.
wine 'C:\Program Files\Sight Trainer\uninstall.exe' /S || fail "the uninstaller ended with status $?"
wineserver -w
[ ! -e "$install_dir" ] || fail "the uninstaller left $(find "$install_dir" | head -n 5)"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
[ -z "$(registry_key "$uninstall_key")" ] || fail "the uninstaller left its registry key"
snapshot after
diff "$work/before.files" "$work/after.files" >&2 || fail "files of the C: drive differ after uninstalling"
diff "$work/before.registry" "$work/after.registry" >&2 || fail "the registry differs after uninstalling"

echo "Windows installer under Wine: passed (screenshots in $shots)"
