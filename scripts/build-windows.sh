#!/usr/bin/env bash
# Cross-builds the trainer for Windows 7 to 11, 32 and 64 bits, in three builds:
#
#   win10-x64   Qt 6, for 64-bit Windows 10 and 11
#   win7-x64    Qt 5.15, for 64-bit Windows 7, 8 and 8.1
#   win7-x86    Qt 5.15, for 32-bit Windows 7 and later
#
# Each Qt is built once from Debian's own source package and cached (scripts/windows-qt.sh);
# each build's program folder is checked and packed into a portable .zip, and one installer,
# which puts the build that fits the Windows it runs on in place, is made of all three, all in
# build-windows/. Builds named on the command line are made alone, without the installer:
#   scripts/build-windows.sh win7-x86
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh" "$top/scripts/packages-windows.txt"

all_builds=(win7-x64 win7-x86 win10-x64)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=("${all_builds[@]}")
for build in "${builds[@]}"; do
    case "$build" in
        win10-x64 | win7-x64 | win7-x86) ;;
        *) echo "No build $build; the builds are ${all_builds[*]}" >&2; exit 2 ;;
    esac
done

started=$SECONDS
stage_time() { printf '== %s (%d:%02d so far)\n' "$1" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)); }

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
out=$top/build-windows
mkdir -p "$out"

# Qt first, one build of it at a time (each takes half an hour or more on two cores), so that
# a failing one stops everything before the trainer is built at all.
declare -A qt_prefix_of=()
for build in "${builds[@]}"; do
    case "$build" in
        win10-x64) qt_prefix_of[$build]=$("$top/scripts/windows-qt.sh" 6 x86_64 | tail -n 1) ;;
        win7-x64) qt_prefix_of[$build]=$("$top/scripts/windows-qt.sh" 5 x86_64 | tail -n 1) ;;
        win7-x86) qt_prefix_of[$build]=$("$top/scripts/windows-qt.sh" 5 i686 | tail -n 1) ;;
    esac
done

# Builds the trainer against one Qt, collects its program folder, checks it and packs it.
make_build() {
    local build=$1 qt_prefix=${qt_prefix_of[$1]} arch qt_major
    case "$build" in
        win10-x64) arch=x86_64 qt_major=6 ;;
        win7-x64) arch=x86_64 qt_major=5 ;;
        win7-x86) arch=i686 qt_major=5 ;;
    esac
    local mingw=$arch-w64-mingw32 build_dir=$out/$build/build
    stage_time "$build: building the trainer with Qt $qt_major in $build_dir"
    mkdir -p "$build_dir"
    local configure=(-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSIGHT_QT_MAJOR="$qt_major")
    if [ "$qt_major" = 6 ]; then
        configure+=(-DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake")
    else
        # The MinGW toolchain with the Qt prefix as one more root of the Windows side, and
        # Windows 7 as the oldest system, as for Qt itself: nothing newer is declared.
        cat >"$build_dir/toolchain.cmake" <<EOF
include("$top/cmake/mingw-w64-$arch.cmake")
list(APPEND CMAKE_FIND_ROOT_PATH "$qt_prefix")
list(APPEND CMAKE_PREFIX_PATH "$qt_prefix")
EOF
        configure+=(-DCMAKE_TOOLCHAIN_FILE="$build_dir/toolchain.cmake"
            "-DCMAKE_CXX_FLAGS=-D_WIN32_WINNT=0x0601 -DWINVER=0x0601")
    fi
    cmake -S "$top" -B "$build_dir" -G Ninja "${configure[@]}" >/dev/null
    nice -n 19 cmake --build "$build_dir" --parallel "$(nproc)"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")

    # The program folder: the executable with the shared Qt libraries, the plugins it loads
    # and the MinGW runtime beside it. Every DLL an executable or library imports is either
    # shipped here or one of Windows' own (Wine, whose DLLs name them, implements them all).
    stage_time "$build: collecting the program folder"
    local folder=$out/$build/sight-trainer
    rm -rf "$folder"
    mkdir -p "$folder/platforms" "$folder/styles"
    # Without their symbol tables the libraries are less than half their size.
    ship() { "$mingw-strip" --strip-unneeded -o "$2" "$1"; }
    ship "$build_dir/sight-trainer.exe" "$folder/sight-trainer.exe"
    ship "$qt_prefix/plugins/platforms/qwindows.dll" "$folder/platforms/qwindows.dll"
    # The native look of Windows' own controls.
    ship "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/qwindowsvistastyle.dll"
    local library_dirs=(
        "$qt_prefix/bin"
        "$(dirname "$("$mingw-g++-posix" -print-file-name=libstdc++-6.dll)")"
        "$(dirname "$(readlink -f "$("$mingw-g++-posix" -print-file-name=libwinpthread-1.dll)")")"
    )
    local windows_dlls=/usr/lib/$multiarch/wine/x86_64-windows
    local pending=("$folder/sight-trainer.exe" "$folder/platforms/qwindows.dll"
        "$folder/styles/qwindowsvistastyle.dll")
    local file dll found dir
    while [ ${#pending[@]} -gt 0 ]; do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        while read -r dll; do
            [ -e "$folder/$dll" ] && continue
            found=
            for dir in "${library_dirs[@]}"; do
                if [ -f "$dir/$dll" ]; then found=$dir/$dll; break; fi
            done
            if [ -n "$found" ]; then
                ship "$found" "$folder/$dll"
                pending+=("$folder/$dll")
            elif [ ! -f "$windows_dlls/${dll,,}" ] && [[ "${dll,,}" != api-ms-win-* ]]; then
                echo "$(basename "$file") needs $dll, which is neither built here nor part of Windows" >&2
                exit 1
            fi
        done < <("$mingw-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done

    # The builds for Windows 7 must not import what only a later Windows has; one that does
    # would not start there, so it is not packed.
    if [ "$qt_major" = 5 ]; then
        stage_time "$build: checking the imports against Windows 7"
        "$top/scripts/check-windows7-imports.sh" "$folder"
    else
        # The Qt 6 build is installed on Windows 10 and 11 only, and it does import what
        # Windows 7 lacks: the check finding nothing there would be a check that reads nothing.
        if "$top/scripts/check-windows7-imports.sh" "$folder" >"$out/$build/windows7-imports.txt" 2>&1; then
            echo "The Windows 7 check passes the Qt 6 build, which needs Windows 10: it cannot be trusted" >&2
            exit 1
        fi
        stage_time "$build: for Windows 10 and 11; the Windows 7 check finds $(grep -c 'which Windows 7 does not have' "$out/$build/windows7-imports.txt") of its imports that Windows 7 lacks, as it should"
    fi

    # Shipping Qt and the MinGW runtime carries their licences along.
    local qt_source qt_version gcc_runtime
    qt_source=$(cat "$qt_prefix/source-package.txt")
    qt_version=${qt_source#* }
    qt_version=${qt_version#*:}
    qt_version=${qt_version%%+*}
    gcc_runtime=$(cd "$folder" && ls libgcc_s_*.dll)
    mkdir -p "$folder/licenses"
    cp -r "$qt_prefix/licenses" "$folder/licenses/qt"
    cp /usr/share/doc/mingw-w64-common/copyright "$folder/licenses/mingw-w64-copyright.txt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/licenses/gcc-copyright.txt"
    cat >"$folder/licenses/README.txt" <<EOF
Qt $qt_version (Core, Gui, Widgets and the Windows plugins) is used under the GNU Lesser
General Public License version 3 (qt/), as shared libraries: the Qt${qt_major}*.dll files and
the plugin folders may be replaced by other builds of the same Qt version. They were built
from Debian's source package $qt_source, which "apt-get source ${qt_source/ /=}" fetches on
Debian and https://snapshot.debian.org/package/${qt_source%% *}/ keeps; qt/copyright lists
the copyrights of Qt and the libraries bundled into it.

libstdc++-6.dll and $gcc_runtime are GCC's runtime libraries, under the GNU General Public
License version 3 with the GCC Runtime Library Exception (gcc-copyright.txt).
libwinpthread-1.dll is MinGW-w64's thread library (mingw-w64-copyright.txt).
EOF

    stage_time "$build: packing the portable .zip"
    local zip_file=$out/sight-trainer-$version-$(zip_name "$build").zip
    rm -f "$zip_file"
    (cd "$out/$build" && zip -q -r -X "$zip_file" "$(basename "$folder")")

    # The installer copies exactly a build's program folder, and its uninstaller removes
    # exactly those files: lists of both are written here for the NSIS script.
    local install_list=$out/$build/install-files.nsh uninstall_list=$out/$build/uninstall-files.nsh
    local relative name source_file
    : >"$install_list"
    : >"$uninstall_list"
    while read -r dir; do
        relative=${dir#"$folder"}
        echo "SetOutPath \"\$INSTDIR${relative//\//\\}\"" >>"$install_list"
        while read -r name; do
            source_file=$dir/$name
            # A "$" in the checkout's path is a literal one to NSIS.
            echo "File \"${source_file//\$/\$\$}\"" >>"$install_list"
            echo "Delete \"\$INSTDIR${relative//\//\\}\\$name\"" >>"$uninstall_list"
        done < <(find "$dir" -maxdepth 1 -type f -printf '%f\n' | sort)
    done < <(find "$folder" -type d | sort)
    while read -r dir; do
        relative=${dir#"$folder"}
        echo "RMDir \"\$INSTDIR${relative//\//\\}\"" >>"$uninstall_list"
    done < <(find "$folder" -mindepth 1 -type d | sort -r)
}

# What a user downloads is named after the Windows it is for.
zip_name() {
    case "$1" in
        win10-x64) echo windows10-x64 ;;
        win7-x64) echo windows7-x64 ;;
        win7-x86) echo windows7-x86 ;;
    esac
}

version=
for build in "${builds[@]}"; do
    make_build "$build"
done

complete=yes
for build in "${all_builds[@]}"; do
    [[ " ${builds[*]} " == *" $build "* ]] || complete=
done
if [ -z "$complete" ]; then
    stage_time "Done (no installer: it needs all of ${all_builds[*]})"
    for build in "${builds[@]}"; do
        echo "$build: $out/$build/sight-trainer, $out/sight-trainer-$version-$(zip_name "$build").zip"
    done
    exit 0
fi

stage_time "Making the installer"
installer=$out/sight-trainer-$version-windows-setup.exe
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" \
    -DICON="$out/win10-x64/build/sight-trainer.ico" \
    -DBUILDS="$out" \
    -DOUTFILE="$installer" \
    "$top/packaging/windows/installer.nsi"

stage_time "Done"
for build in "${builds[@]}"; do
    echo "$build: $out/$build/sight-trainer, $out/sight-trainer-$version-$(zip_name "$build").zip"
done
echo "Installer: $installer"
