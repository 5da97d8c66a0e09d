#!/usr/bin/env bash
# Tests the Windows installer under Wine on a private X server, once for each Windows it tells
# apart, each in a fresh Wine prefix: 64-bit Windows 10, 64-bit Windows 7 and 32-bit Windows 7,
# where it must install the Qt 6 build, the 64-bit and the 32-bit Qt 5 build. Each time it
# installs silently, checks which build it put in place, plays the installed trainer's whole
# flow from its Start-menu entry with the mouse and keyboard (both exercises to their end,
# leaving mid-test, moving between the windows, "Повтор", both "Выход"), then uninstalls and
# checks that nothing of it is left. Without the flow, it also checks that 32-bit Windows 10
# gets the 32-bit build and that an installation made on Windows 7 is replaced whole when the
# system reports Windows 10 later. The portable .zip of each build is played too, unpacked where
# a user would unpack it and started from its folder.
#
#   scripts/test-windows.sh [INSTALLER [CASE...]]
#   cases: win10-64 win7-64 win7-32 win10-32 upgrade zip-win10-x64 zip-win7-x64 zip-win7-x86
#
# The installer and the 32-bit build are 32-bit programs, which the 32-bit Wine runs only where
# the kernel runs 32-bit Linux programs. Where it does not (a kernel built without them), the
# cases that need it are named as not run and the script ends with status 3.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The 32-bit Wine runs the installer (a 32-bit program) and the 32-bit build; Debian ships it
# for the i386 architecture, which dpkg must know first.
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture to dpkg for the 32-bit Wine"
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -q
fi
"$top/scripts/install-deps.sh" "$top/scripts/packages-windows-test.txt"

installer=${1:-}
if [ -z "$installer" ]; then
    installer=$(find "$top/build-windows" -maxdepth 1 -name 'sight-trainer-*-windows-setup.exe' \
        2>/dev/null | sort | tail -n 1)
fi
if [ -z "$installer" ] || [ ! -f "$installer" ]; then
    echo "No installer to test; scripts/build-windows.sh makes one in build-windows/." >&2
    exit 1
fi
installer=$(readlink -f "$installer")
shift || true
cases=("$@")
[ ${#cases[@]} -gt 0 ] ||
    cases=(win10-64 win7-64 win7-32 win10-32 upgrade zip-win10-x64 zip-win7-x64 zip-win7-x86)

# Whether the 32-bit Wine can start here at all. Without it, Debian's "wine" still picks the
# 32-bit loader, so the 64-bit one is called by name.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    runs_32bit=yes
else
    runs_32bit=
    echo "This machine's kernel runs no 32-bit programs: the 32-bit Wine cannot start here"
    export WINELOADER=/usr/lib/wine/wine64
    wine() { /usr/lib/wine/wine64 "$@"; }
fi
not_run=() passed=()

# Screenshots of every step, kept for a look afterwards, one folder for each case.
shots_root=$top/build-windows/wine-test
rm -rf "$shots_root"
mkdir -p "$shots_root"

work=$(mktemp -d)
export WINEDEBUG=-all
# No offer to download Mono or Gecko, and no menu entries or file associations on this
# machine's own desktop for what is installed inside the prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

source "$top/tests/e2e/x_session.sh"
# A program starting under Wine may take a while the first time; a failure keeps the screen.
WAIT_TENTHS=300
E2E_SCREENSHOT=$shots_root/failure.png
start_x_session
use_driver wine
source "$top/tests/e2e/flow.sh"
use_reader glyphs
cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    stop_x_session
    rm -rf "$work"
}
trap cleanup EXIT

step=0
screenshot() {
    step=$((step + 1))
    import -window root "$shots/$(printf '%02d' "$step")-$1.png"
}

# A registry key of the prefix, as text, or nothing where it does not exist: in the native
# view (the 64-bit one of a 64-bit prefix, which holds the 32-bit one as Wow6432Node), or in
# the view given as 32 or 64. Without a view, "wine reg" runs the 32-bit reg and reads its view.
registry_key() {
    local file=$work/key.reg view=()
    if [ -n "${2:-}" ]; then
        view=("/reg:$2")
    elif [ "$WINEARCH" = win64 ]; then
        view=(/reg:64)
    fi
    rm -f "$file"
    wine reg export "$1" "$file" /y "${view[@]}" >/dev/null 2>&1 || true
    [ -f "$file" ] && iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' || true
}

# What an installation may change: the files of the prefix's C: drive and the two Software
# branches of the registry (the 32-bit view of a 64-bit prefix among them). The temporary
# folders are left out: the Windows uninstaller runs from a copy of itself there.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -not -path './users/*/Temp/*' -not -path './windows/temp/*' |
        sort) >"$work/$1.files"
    registry_key 'HKLM\Software' >"$work/$1.registry"
    registry_key 'HKCU\Software' >>"$work/$1.registry"
}

# The processor a Windows executable is for, from its PE header: i386 or x86-64.
pe_machine() {
    local offset machine
    offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' ')
    case "$machine" in
        014c) echo i386 ;;
        8664) echo x86-64 ;;
        *) echo "unknown ($machine)" ;;
    esac
}

# A fresh prefix of the given width that reports the given Windows version (win7, win10).
new_prefix() {
    local width=$1 version=$2
    export WINEPREFIX=$work/prefix-$width-$version-$RANDOM WINEARCH=win$width
    echo "Preparing a $width-bit Wine prefix reporting $version in $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    set_windows_version "$version"
}

# What Windows the prefix reports from now on; "ver" must show it, or the installer's choice
# would be tested against something else.
set_windows_version() {
    local version=$1 reported
    wine winecfg /v "$version" >/dev/null 2>&1
    wineserver -w
    reported=$(wine cmd /c ver 2>/dev/null | tr -d '\r' | grep -o '[0-9]*\.[0-9]*\.[0-9]*' || true)
    case "$version" in
        win7) [[ "$reported" == 6.1.* ]] ;;
        win10) [[ "$reported" == 10.0.* ]] ;;
    esac || fail "the prefix reports '$reported', not $version"
    echo "The prefix reports Windows $reported"
}

install_dir_unix() { echo "$WINEPREFIX/drive_c/Program Files/Sight Trainer"; }
# Where the portable build is unpacked, as a user unpacks a .zip onto the C: drive.
portable_dir='C:\sight-trainer'
shortcut="C:/ProgramData/Microsoft/Windows/Start Menu/Programs/Тренажер.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\SightTrainer'

# Checks that the program folder $1 holds the build $2: the Qt of its libraries, the
# processor of its executable and of those libraries.
expect_build_in() {
    local dir=$1 build=$2 qt=none machine
    [ -f "$dir/sight-trainer.exe" ] || fail "no sight-trainer.exe in $dir"
    [ -f "$dir/platforms/qwindows.dll" ] || fail "no Windows platform plugin in $dir"
    [ -f "$dir/Qt5Core.dll" ] && qt=Qt5
    [ -f "$dir/Qt6Core.dll" ] && qt=$qt+Qt6
    qt=${qt#none+}
    machine=$(pe_machine "$dir/sight-trainer.exe")
    echo "Found: $qt for $machine"
    case "$build" in
        win10-x64) [ "$qt/$machine" = Qt6/x86-64 ] ;;
        win7-x64) [ "$qt/$machine" = Qt5/x86-64 ] ;;
        win7-x86) [ "$qt/$machine" = Qt5/i386 ] ;;
    esac || fail "expected the build $build, found $qt for $machine"
    [ "$(pe_machine "$dir/${qt}Core.dll")" = "$machine" ] ||
        fail "the Qt libraries are not for the executable's processor $machine"
}

# Installs silently and checks that the build for this Windows is in place, with its registry
# key in the native view.
install_expecting() {
    local build=$1 install_dir key registered
    install_dir=$(install_dir_unix)
    echo "Installing $(basename "$installer") silently"
    wine "$installer" /S || fail "the installer ended with status $?"
    wineserver -w
    expect_build_in "$install_dir" "$build"
    [ ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Sight Trainer" ] ||
        fail "the installer wrote to the 32-bit Program Files"
    [ -f "$WINEPREFIX/drive_c/${shortcut#C:/}" ] || fail "no Start-menu entry Тренажер"
    key=$(registry_key "$uninstall_key")
    [[ "$key" == *'"DisplayName"="Тренажер"'* ]] || fail "the uninstaller is not registered with Windows"
    if [ "$WINEARCH" = win64 ]; then
        [ -z "$(registry_key "$uninstall_key" 32)" ] ||
            fail "the uninstaller is registered in the 32-bit view of the registry"
    fi
    registered=$(sed -n 's/^"Build"="\(.*\)"$/\1/p' <<<"$key")
    echo "Registered as the build $registered"
    [ "$registered" = "$build" ] || fail "the registry names the build '$registered', not $build"
}

uninstall_and_check() {
    local install_dir
    install_dir=$(install_dir_unix)
    echo "Uninstalling"
    # The uninstaller hands over to a copy of itself and returns at once; the prefix's
    # processes all ending is the copy's end.
    wine 'C:\Program Files\Sight Trainer\uninstall.exe' /S || fail "the uninstaller ended with status $?"
    wineserver -w
    [ ! -e "$install_dir" ] || fail "the uninstaller left $(find "$install_dir" | head -n 5)"
    [ ! -e "$WINEPREFIX/drive_c/${shortcut#C:/}" ] || fail "the uninstaller left the Start-menu entry"
    [ -z "$(registry_key "$uninstall_key")" ] || fail "the uninstaller left its registry key"
    # The Windows version the prefix reported before, if the test changed it since.
    if [ -n "${1:-}" ]; then set_windows_version "$1"; fi
    snapshot after
    diff "$work/before.files" "$work/after.files" >&2 || fail "files of the C: drive differ after uninstalling"
    diff "$work/before.registry" "$work/after.registry" >&2 || fail "the registry differs after uninstalling"
}

# The whole flow, as on the Linux desktops, from the Start-menu entry, which hands the
# program over to the shell and returns, or for a portable build from its own folder. The
# program's window names its process.
start_program() {
    local program='C:\Program Files\Sight Trainer\sight-trainer.exe'
    if [ -n "$portable" ]; then
        program="$portable_dir\sight-trainer.exe"
        wine start /d "$portable_dir" "$program" || fail "the portable build did not start"
    else
        wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Тренажер.lnk' ||
            fail "the Start-menu entry did not start"
    fi
    MODE=$(wait_for_window "$MODE_TITLE")
    APP_PID=$(xdotool getwindowpid "$MODE")
    local command_line
    command_line=$(tr '\0' ' ' <"/proc/$APP_PID/cmdline")
    [[ "$command_line" == *"$program"* ]] ||
        fail "the window Тренажер is not of the program $program: $command_line"
    wait_until "the mode window is not the active window" window_is_active "$MODE"
}

# Unpacks the portable .zip of a build onto the prefix's C: drive and checks it is that build.
# scripts/build-windows.sh names each .zip after the Windows of its build (win7-x86: windows7-x86).
unpack_portable() {
    local build=$1 zip
    zip=$(find "$(dirname "$installer")" -maxdepth 1 -name "sight-trainer-*-windows${build#win}.zip" |
        sort | tail -n 1)
    [ -n "$zip" ] || fail "no portable .zip of the build $build beside the installer"
    echo "Unpacking $(basename "$zip") to $portable_dir"
    unzip -q "$zip" -d "$WINEPREFIX/drive_c"
    expect_build_in "$WINEPREFIX/drive_c/sight-trainer" "$build"
}
wait_for_program_end() {
    WAIT_TENTHS=100 wait_for_end "$APP_PID" "$1"
    APP_PID=
}

for case in "${cases[@]}"; do
    shots=$shots_root/$case
    mkdir -p "$shots"
    step=0
    E2E_SCREENSHOT=$shots/failure.png
    echo "=== $case"
    portable=
    case "$case" in
        win10-64) width=64 version=win10 build=win10-x64 play=yes ;;
        win7-64) width=64 version=win7 build=win7-x64 play=yes ;;
        win7-32) width=32 version=win7 build=win7-x86 play=yes ;;
        win10-32) width=32 version=win10 build=win7-x86 play= ;;
        upgrade) width=64 version=win7 build=win7-x64 play= ;;
        zip-win10-x64) width=64 version=win10 build=win10-x64 play=yes portable=yes ;;
        zip-win7-x64) width=64 version=win7 build=win7-x64 play=yes portable=yes ;;
        zip-win7-x86) width=32 version=win7 build=win7-x86 play=yes portable=yes ;;
        *) echo "No case $case" >&2; exit 2 ;;
    esac
    # The installer, like the 32-bit build, is a 32-bit program.
    if [ -z "$runs_32bit" ] && { [ -z "$portable" ] || [ "$width" = 32 ]; }; then
        echo "$case: not run, it needs the 32-bit Wine"
        not_run+=("$case")
        continue
    fi
    new_prefix "$width" "$version"
    if [ -n "$portable" ]; then
        unpack_portable "$build"
    else
        snapshot before
        install_expecting "$build"
    fi
    if [ "$case" = upgrade ]; then
        # Windows 7 upgraded to 10, and the trainer installed again: the Qt 6 build replaces
        # the Qt 5 one whole, and its uninstaller removes all of it.
        set_windows_version win10
        install_expecting win10-x64
        [ -z "$(find "$(install_dir_unix)" -iname 'Qt5*')" ] || fail "the update left Qt 5's files"
    fi
    if [ -n "$play" ]; then
        ROW=$case
        play_whole_flow
        # Nothing else is left running either, such as Wine's report of a crash at the end.
        timeout 60 wineserver -w ||
            fail "processes of the prefix are still running after the trainer ended"
    fi
    if [ "$case" = upgrade ]; then
        uninstall_and_check win7
    elif [ -z "$portable" ]; then
        uninstall_and_check
    fi
    wineserver -k 2>/dev/null || true
    echo "$case: passed"
    passed+=("$case")
done

echo "Windows builds under Wine: passed ${passed[*]:-none} (screenshots in $shots_root)"
if [ ${#not_run[@]} -gt 0 ]; then
    echo "Not run on this machine, which runs no 32-bit programs: ${not_run[*]}"
    exit 3
fi
