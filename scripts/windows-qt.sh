#!/usr/bin/env bash
# Cross-builds Qt for Windows with MinGW-w64 from Debian's own source package, once, into a
# cache outside the repository, and prints the installed Qt's prefix as its last line.
#
#   scripts/windows-qt.sh 6 x86_64   Qt 6 (qt6-base) for 64-bit Windows 10 and 11
#   scripts/windows-qt.sh 5 x86_64   Qt 5.15 (qtbase-opensource-src) for 64-bit Windows 7 on
#   scripts/windows-qt.sh 5 i686     the same for 32-bit Windows 7 on
#
# scripts/build-windows.sh runs it for each build; the packages it needs are on
# scripts/packages-windows.txt. Progress goes to stderr.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
major=${1:?Qt major version: 5 or 6}
arch=${2:?target processor: x86_64 or i686}
case "$major/$arch" in
    6/x86_64 | 5/x86_64 | 5/i686) ;;
    *) echo "No Qt $major build for $arch Windows: Qt 6 is built for x86_64, Qt 5 for x86_64 and i686" >&2; exit 2 ;;
esac
exec 3>&1 1>&2

started=$SECONDS
stage_time() { printf '== %s (%d:%02d so far)\n' "$1" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)); }

mingw=$arch-w64-mingw32
toolchain_file=$top/cmake/mingw-w64-$arch.cmake
compiler_version=$(dpkg-query -W -f='${Version}' "g++-mingw-w64-${arch//_/-}-posix")
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/sight-trainer

if [ "$major" = 6 ]; then
    # Qt 6 is built from the same source version as the installed host tools (moc, rcc,
    # uic), which its cross build runs and which must match it.
    source_package=qt6-base
    qt_package_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
    # As small as the trainer allows: Core, Gui, Widgets, the Windows platform plugin and PNG
    # (built into Gui). The third-party libraries are Qt's bundled copies, none of the build
    # machine's. OpenGL stays: 6.4's Windows platform plugin does not compile without it (it
    # is loaded at run time, nothing links it). Tablet events need wintab.h, which Debian's
    # source leaves out.
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
    shape_of_build() {
        echo "$qt_package_version $compiler_version"
        cat "$toolchain_file"
        printf '%s\n' "${qt_options[@]}"
    }
else
    # Qt 5 builds its own host tools (qmake, moc, rcc, uic) into its prefix; the version is
    # the one of Debian's Qt 5, whose security fixes come with its patches.
    source_package=qtbase-opensource-src
    qt_package_version=$(apt-cache policy qtbase5-dev 2>/dev/null | sed -n 's/^ *Installed: //p')
    if [ -z "$qt_package_version" ] || [ "$qt_package_version" = "(none)" ]; then
        qt_package_version=$(apt-cache policy qtbase5-dev | sed -n 's/^ *Candidate: //p')
    fi
    # The same small Qt as the Qt 6 build. Windows 7 (0x0601) is the oldest system it is
    # for, and nothing newer is even declared to it, so that no later function of Windows can
    # be linked by mistake; Qt 5.15 looks up the newer ones it can use at run time.
    # OpenGL is off: nothing of the trainer draws with it. Tablet events need wintab.h, which
    # Debian's source leaves out; FreeType is not needed beside Windows' own font engines.
    qt_options=(
        -release -shared -opensource -confirm-license
        -nomake examples -nomake tests -no-compile-examples
        -no-opengl -no-dbus -no-icu -no-openssl -no-freetype -no-fontconfig
        -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-doubleconversion
        -no-libjpeg -no-gif -no-ico -no-feature-direct2d -no-feature-vulkan
        -no-feature-tabletevent
        -no-feature-sql -no-feature-network -no-feature-xml -no-feature-testlib
        -no-feature-concurrent -no-feature-printer
    )
    # The target's compilers, the POSIX thread model's (std::thread and Qt need it), and the
    # oldest Windows, for Qt and everything built with its qmake.
    read -r -d '' mkspec_conf <<'EOF' || true
# MinGW-w64 with the POSIX thread model, for Windows 7 and later.
include(../win32-g++/qmake.conf)
QMAKE_CC            = $${CROSS_COMPILE}gcc-posix
QMAKE_CXX           = $${CROSS_COMPILE}g++-posix
QMAKE_LINK          = $${CROSS_COMPILE}g++-posix
QMAKE_LINK_C        = $${CROSS_COMPILE}gcc-posix
DEFINES            += _WIN32_WINNT=0x0601 WINVER=0x0601
EOF
    shape_of_build() {
        echo "$qt_package_version $compiler_version"
        printf '%s\n' "$mkspec_conf"
        printf '%s\n' "${qt_options[@]}"
    }
fi
qt_version=${qt_package_version#*:}
qt_version=${qt_version%%+*}

# The cache is keyed by everything that shapes the build, so a changed option, compiler or
# source version builds anew beside the old one.
qt_key=$(shape_of_build | sha256sum | cut -c1-12)
if [ "$major" = 6 ]; then
    qt_dir=$cache_root/qt-$qt_version-mingw-$qt_key
else
    qt_dir=$cache_root/qt-$qt_version-mingw-$arch-$qt_key
fi
qt_prefix=$qt_dir/install
mkdir -p "$qt_dir"
# One build of a Qt at a time; a second run waits for the first instead of sharing its tree.
exec 9>"$qt_dir/lock"
flock 9

if [ -f "$qt_prefix/.complete" ]; then
    stage_time "Qt $qt_version for $arch Windows: cached in $qt_prefix"
    echo "$qt_prefix" >&3
    exit 0
fi

stage_time "Qt $qt_version for $arch Windows: fetching Debian's source package $source_package $qt_package_version"
# A private apt configuration with a deb-src entry; the machine's own sources stay as they
# are. apt checks the downloads against the archive's signed index.
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
dsc=$download_dir/${source_package}_${qt_package_version#*:}.dsc
if [ ! -f "$dsc" ]; then
    apt-get "${apt_options[@]}" -q update
    (cd "$download_dir" && apt-get "${apt_options[@]}" -q source --download-only \
        "$source_package=$qt_package_version")
fi

# Debian's patches (security fixes among them) are applied as for Debian's own build.
source_dir=$qt_dir/source
if [ ! -f "$source_dir/.unpacked" ]; then
    rm -rf "$source_dir"
    dpkg-source --no-check -x "$dsc" "$source_dir" >/dev/null
    touch "$source_dir/.unpacked"
fi

rm -rf "$qt_dir/build"
mkdir -p "$qt_dir/build"
if [ "$major" = 6 ]; then
    # The toolchain file is kept with the build: Qt's installed toolchain file loads it again
    # whenever the trainer is configured, from whichever checkout.
    cp "$toolchain_file" "$qt_dir/mingw-w64-$arch.cmake"
    stage_time "Qt $qt_version for $arch Windows: configuring"
    cmake -S "$source_dir" -B "$qt_dir/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt_dir/mingw-w64-$arch.cmake" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
        "${qt_options[@]}" >"$qt_dir/configure.log" ||
        { tail -n 40 "$qt_dir/configure.log"; echo "Qt's configuration failed; see $qt_dir/configure.log" >&2; exit 1; }
    stage_time "Qt $qt_version for $arch Windows: building (about 35 minutes on two cores)"
    # Gently: the machine may be busy with other work.
    nice -n 19 cmake --build "$qt_dir/build" --parallel "$(nproc)"
    cmake --install "$qt_dir/build" >/dev/null
else
    mkdir -p "$source_dir/mkspecs/win32-g++-posix"
    printf '%s\n' "$mkspec_conf" >"$source_dir/mkspecs/win32-g++-posix/qmake.conf"
    echo '#include "../win32-g++/qplatformdefs.h"' >"$source_dir/mkspecs/win32-g++-posix/qplatformdefs.h"
    stage_time "Qt $qt_version for $arch Windows: configuring"
    (cd "$qt_dir/build" && MAKEFLAGS="-j$(nproc)" nice -n 19 "$source_dir/configure" \
        -prefix "$qt_prefix" \
        -xplatform win32-g++-posix -device-option CROSS_COMPILE="$mingw-" \
        "${qt_options[@]}") >"$qt_dir/configure.log" 2>&1 ||
        { tail -n 40 "$qt_dir/configure.log"; echo "Qt's configuration failed; see $qt_dir/configure.log" >&2; exit 1; }
    stage_time "Qt $qt_version for $arch Windows: building (about 35 minutes on two cores)"
    nice -n 19 make -C "$qt_dir/build" -j"$(nproc)" >"$qt_dir/build.log" 2>&1 ||
        { tail -n 40 "$qt_dir/build.log"; echo "Qt's build failed; see $qt_dir/build.log" >&2; exit 1; }
    make -C "$qt_dir/build" install >"$qt_dir/install.log" 2>&1 ||
        { tail -n 40 "$qt_dir/install.log"; echo "Qt's installation failed; see $qt_dir/install.log" >&2; exit 1; }
fi
mkdir -p "$qt_prefix/licenses"
if [ "$major" = 6 ]; then
    cp "$source_dir"/LICENSES/*.txt "$source_dir/debian/copyright" "$qt_prefix/licenses/"
else
    cp "$source_dir"/LICENSE.LGPL3 "$source_dir"/LICENSE.GPL3 "$source_dir/debian/copyright" \
        "$qt_prefix/licenses/"
fi
echo "$source_package $qt_package_version" >"$qt_prefix/source-package.txt"
touch "$qt_prefix/.complete"
# The installed Qt is all later runs need.
rm -rf "$qt_dir/build" "$source_dir"
stage_time "Qt $qt_version for $arch Windows: installed in $qt_prefix"
echo "$qt_prefix" >&3
