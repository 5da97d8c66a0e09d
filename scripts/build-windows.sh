#!/usr/bin/env bash
# Cross-builds the trainer for 64-bit Windows: Qt from Debian's own source package (built once
# and cached), then the program folder, a portable .zip and an NSIS installer in build-windows/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh" "$top/scripts/packages-windows.txt"

started=$SECONDS
stage_time() { printf '== %s (%d:%02d so far)\n' "$1" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)); }

# Qt for Windows is built from the same source version as the installed host tools (moc, rcc,
# uic), which the cross build runs and which must match it.
qt_package_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${qt_package_version%%+*}
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
mingw=x86_64-w64-mingw32
compiler_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

# As small as the trainer allows: Core, Gui, Widgets, the Windows platform plugin and PNG
# (built into Gui). The third-party libraries are Qt's bundled copies, none of the build
# machine's. OpenGL stays: 6.4's Windows platform plugin does not compile without it (it is
# loaded at run time, nothing links it). Tablet events need wintab.h, which Debian's source
# leaves out.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_testlib=OFF
    -DFEATURE_androiddeployqt=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# The cache lives outside the repository and is keyed by everything that shapes the build, so
# a changed option, compiler or source version builds anew beside the old one.
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/sight-trainer
qt_key=$({
    echo "$qt_package_version $compiler_version"
    cat "$top/cmake/mingw-w64-x86_64.cmake"
    printf '%s\n' "${qt_options[@]}"
} | sha256sum | cut -c1-12)
qt_dir=$cache_root/qt-$qt_version-mingw-$qt_key
qt_prefix=$qt_dir/install
mkdir -p "$qt_dir"
# One build of a Qt at a time; a second run waits for the first instead of sharing its tree.
exec 9>"$qt_dir/lock"
flock 9

if [ -f "$qt_prefix/.complete" ]; then
    stage_time "Qt $qt_version for Windows: cached in $qt_prefix"
else
    stage_time "Qt $qt_version for Windows: fetching Debian's source package qt6-base $qt_package_version"
    # A private apt configuration with a deb-src entry; the machine's own sources stay as
    # they are. apt checks the downloads against the archive's signed index.
    apt_dir=$cache_root/apt
    download_dir=$cache_root/downloads
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d" \
        "$download_dir"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    cat >"$apt_dir/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename-updates main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $codename-security main
EOF
    apt_options=(
        -o Dir::Etc::SourceList="$apt_dir/sources.list"
        -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
        -o Dir::State::Lists="$apt_dir/lists"
        -o Dir::Cache="$apt_dir/cache"
        -o Debug::NoLocking=true
    )
    # apt drops to its own user to download, and that user may not write into the cache.
    if [ "$(id -u)" -eq 0 ]; then apt_options+=(-o APT::Sandbox::User=root); fi
    dsc=$download_dir/qt6-base_${qt_package_version#*:}.dsc
    if [ ! -f "$dsc" ]; then
        apt-get "${apt_options[@]}" -q update
        (cd "$download_dir" && apt-get "${apt_options[@]}" -q source --download-only \
            "qt6-base=$qt_package_version")
    fi

    # Debian's patches (security fixes among them) are applied as for Debian's own build.
    source_dir=$qt_dir/source
    if [ ! -f "$source_dir/.unpacked" ]; then
        rm -rf "$source_dir"
        dpkg-source --no-check -x "$dsc" "$source_dir" >/dev/null
        touch "$source_dir/.unpacked"
    fi

    # The toolchain file is kept with the build: Qt's installed toolchain file loads it again
    # whenever the trainer is configured, from whichever checkout.
    cp "$top/cmake/mingw-w64-x86_64.cmake" "$qt_dir/mingw-w64-x86_64.cmake"
    stage_time "Qt $qt_version for Windows: configuring"
    cmake -S "$source_dir" -B "$qt_dir/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt_dir/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
        "${qt_options[@]}" >"$qt_dir/configure.log" ||
        { tail -n 40 "$qt_dir/configure.log"; echo "Qt's configuration failed; see $qt_dir/configure.log" >&2; exit 1; }
    stage_time "Qt $qt_version for Windows: building (about 35 minutes on two cores)"
    # Gently: the machine may be busy with other work.
    nice -n 19 cmake --build "$qt_dir/build" --parallel "$(nproc)"
    cmake --install "$qt_dir/build" >/dev/null
    mkdir -p "$qt_prefix/licenses"
    cp "$source_dir"/LICENSES/*.txt "$source_dir/debian/copyright" "$qt_prefix/licenses/"
    touch "$qt_prefix/.complete"
    # The installed Qt is all later runs need.
    rm -rf "$qt_dir/build" "$source_dir"
fi
exec 9>&-

out=$top/build-windows
stage_time "The trainer for Windows: building in $out/build"
cmake -S "$top" -B "$out/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$out/build" --parallel "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")

# The program folder: the executable with the shared Qt libraries, the plugins it loads and
# the MinGW runtime beside it. Every DLL an executable or library imports is either shipped
# here or one of Windows' own (Wine, installed for the test, implements them all).
stage_time "Collecting the program folder"
folder=$out/sight-trainer
rm -rf "$folder"
mkdir -p "$folder/platforms" "$folder/styles"
# Without their symbol tables the libraries are less than half their size.
ship() { "$mingw-strip" --strip-unneeded -o "$2" "$1"; }
ship "$out/build/sight-trainer.exe" "$folder/sight-trainer.exe"
ship "$qt_prefix/plugins/platforms/qwindows.dll" "$folder/platforms/qwindows.dll"
# The native look of Windows' own controls.
ship "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/qwindowsvistastyle.dll"
library_dirs=(
    "$qt_prefix/bin"
    "$(dirname "$("$mingw-g++-posix" -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$(readlink -f "$("$mingw-g++-posix" -print-file-name=libwinpthread-1.dll)")")"
)
windows_dlls=/usr/lib/$multiarch/wine/x86_64-windows
pending=("$folder/sight-trainer.exe" "$folder/platforms/qwindows.dll" "$folder/styles/qwindowsvistastyle.dll")
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
# Shipping Qt and the MinGW runtime carries their licences along.
mkdir -p "$folder/licenses"
cp -r "$qt_prefix/licenses" "$folder/licenses/qt"
cp /usr/share/doc/mingw-w64-common/copyright "$folder/licenses/mingw-w64-copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/licenses/gcc-copyright.txt"
cat >"$folder/licenses/README.txt" <<EOF
Qt $qt_version (Core, Gui, Widgets and the Windows plugins) is used under the GNU Lesser
General Public License version 3 (qt/LGPL-3.0-only.txt), as shared libraries: the Qt6*.dll
files and the plugin folders may be replaced by other builds of the same Qt version. They were
built from Debian's source package qt6-base $qt_package_version, which "apt-get source
qt6-base=$qt_package_version" fetches on Debian and https://snapshot.debian.org/package/qt6-base/
keeps; qt/copyright lists the copyrights of Qt and the libraries bundled into it.

libstdc++-6.dll and libgcc_s_seh-1.dll are GCC's runtime libraries, under the GNU General
Public License version 3 with the GCC Runtime Library Exception (gcc-copyright.txt).
libwinpthread-1.dll is MinGW-w64's thread library (mingw-w64-copyright.txt).
EOF

stage_time "Packing the portable .zip"
zip_file=$out/sight-trainer-$version-windows-x64.zip
rm -f "$zip_file"
(cd "$out" && zip -q -r -X "$zip_file" "$(basename "$folder")")

# The installer copies exactly the program folder, and its uninstaller removes exactly those
# files: lists of both are written here for the NSIS script.
stage_time "Making the installer"
install_list=$out/installer-files.nsh
uninstall_list=$out/uninstaller-files.nsh
: >"$install_list"
: >"$uninstall_list"
while read -r dir; do
    relative=${dir#"$folder"}
    echo "SetOutPath \"\$INSTDIR${relative//\//\\}\"" >>"$install_list"
    find "$dir" -maxdepth 1 -type f -printf '%f\n' | sort | while read -r name; do
        source_file=$dir/$name
        # A "$" in the checkout's path is a literal one to NSIS.
        echo "File \"${source_file//\$/\$\$}\"" >>"$install_list"
        echo "Delete \"\$INSTDIR${relative//\//\\}\\$name\"" >>"$uninstall_list"
    done
done < <(find "$folder" -type d | sort)
find "$folder" -mindepth 1 -type d | sort -r | while read -r dir; do
    relative=${dir#"$folder"}
    echo "RMDir \"\$INSTDIR${relative//\//\\}\"" >>"$uninstall_list"
done
installer=$out/sight-trainer-$version-windows-x64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" \
    -DICON="$out/build/sight-trainer.ico" \
    -DINSTALL_LIST="$install_list" \
    -DUNINSTALL_LIST="$uninstall_list" \
    -DOUTFILE="$installer" \
    "$top/packaging/windows/installer.nsi"

stage_time "Done"
echo "Program folder: $folder"
echo "Portable .zip:  $zip_file"
echo "Installer:      $installer"
