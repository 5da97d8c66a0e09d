#!/usr/bin/env bash
# Builds and tests the trainer in clean roots of Debian 11, 12 and 13, made with mmdebstrap from
# Debian's packages, as a user of each release would: the README's scripts/run.sh up to "no
# display"; then the pure tests, the window tests on Qt's offscreen platform, the whole program
# under openbox, and the Debian package built with CPack, installed with apt, started and
# removed again. Needs root and the package registry's network; not part of CI. Roots are
# cached in ${SIGHT_DISTRO_CACHE:-~/.cache/sight-trainer/roots} between runs; nothing outside
# it is touched, and what is mounted into a root is unmounted on exit. Rows: bullseye (Qt
# 5.15), bookworm (Qt 6.4), bookworm-qt5 (Qt 5.15), trixie (Qt 6.8); name some to run only
# those. One line a row: release, Qt, compiler, what passed, minutes.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${SIGHT_DISTRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sight-trainer/roots}
rows=("$@")
[ ${#rows[@]} -gt 0 ] || rows=(bullseye bookworm bookworm-qt5 trixie)
for row in "${rows[@]}"; do
  case "$row" in
    bullseye | bookworm | bookworm-qt5 | trixie) ;;
    *) echo "no row $row; the rows are bullseye, bookworm, bookworm-qt5 and trixie" >&2; exit 2 ;;
  esac
done
command -v mmdebstrap >/dev/null || apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null
mkdir -p "$cache"
mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  mounted=()
}
trap unmount_all EXIT

# What the tests of a row need beyond the build's own lists: GoogleTest, and for the whole
# program an X server, openbox, the tools that drive and read the screen and the accessibility
# bus; the install checks read the desktop entry and the metadata. A subset of
# scripts/packages-test.txt (the other desktops are the test command's), by the names every
# release knows; Debian 11's dbus is not split into dbus-daemon and dbus-bin yet.
test_packages=(googletest libgtest-dev libgmock-dev xvfb xauth openbox xdotool x11-utils
  imagemagick dbus at-spi2-core python3-pyatspi python3-gi python3-dbus desktop-file-utils
  appstream file)

# Runs a command in the root as a user of it would, with nothing of this machine's environment.
in_root() {
  env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 SIGHT_QT_MAJOR="$qt" \
    chroot "$root" bash -c "$1"
}

# A stage counts when its command passes and its log says what it must: ctest passes where it
# finds no test, and an entry that skips itself passes too. After a failure the row's later
# stages are not tried.
stage() {
  local name=$1 command=$2 must=${3:-}
  [ -z "$failed" ] || return 0
  echo "=== $name" >>"$log"
  if in_root "$command" >>"$log" 2>&1 &&
      { [ -z "$must" ] || sed -n "/^=== $name\$/,\$p" "$log" | grep -q "$must"; }; then
    passed+=("$name")
  else
    failed=$name
  fi
}

status=0
for row in "${rows[@]}"; do
  release=${row%-qt5}
  qt=; [ "$row" != "$release" ] && qt=5
  root=$cache/$release
  log=$cache/$row-test.log
  start=$(date +%s)
  : >"$log"
  if [ ! -x "$root/usr/bin/apt-get" ]; then
    rm -rf "$root"
    mmdebstrap --variant=apt --include=ca-certificates "$release" "$root" >"$cache/$release.log" 2>&1
  fi
  rm -rf "$root/src"
  mkdir -p "$root/src"
  (cd "$top" && git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$root/src")
  for fs in proc sys dev; do
    mount --rbind "/$fs" "$root/$fs"
    mount --make-rslave "$root/$fs"
    mounted+=("$root/$fs")
  done
  passed=()
  failed=
  # Without a display the run command builds the program and stops at saying so.
  stage run.sh 'cd /src && ! scripts/run.sh' 'No display'
  stage build "cd /src && qt=\$(scripts/choose-qt.sh) &&
    scripts/install-deps.sh scripts/packages.txt scripts/packages-qt\$qt.txt \
      <(printf '%s\n' ${test_packages[*]}) &&
    cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSIGHT_QT_MAJOR=\$qt \
      -DSIGHT_WERROR=ON -DBUILD_TESTING=ON -DSIGHT_DEVELOPER_TOOLS=OFF >/dev/null &&
    cmake --build build-tests --parallel \$(nproc)"
  stage pure 'cd /src/build-tests && ctest --output-on-failure --label-regex "^pure$"' \
    '100% tests passed'
  stage window 'cd /src/build-tests && ctest --output-on-failure --timeout 900 \
    --label-exclude "^pure$" --exclude-regex "^(e2e_|installed_package$|source_format$)"' \
    '100% tests passed'
  stage openbox 'cd /src/build-tests && ctest --output-on-failure --tests-regex "^e2e_openbox$"' \
    '100% tests passed'
  stage package 'cd /src/build-tests && ctest -V --tests-regex "^installed_package$"' \
    'installed package: passed'
  unmount_all
  [ -z "$failed" ] || status=1
  # The Qt the row built with: Qt 5 where it chose it or where the release has no Qt 6.
  versions=$(in_root 'qt=qt6-base-dev
    { [ "$SIGHT_QT_MAJOR" = 5 ] || ! dpkg-query -W qt6-base-dev >/dev/null 2>&1; } && qt=qtbase5-dev
    dpkg-query -W -f="Qt \${Version}, " $qt 2>/dev/null
    echo "g++ $(g++ -dumpfullversion 2>/dev/null), $(cmake --version 2>/dev/null | head -n 1)"')
  echo "$row: $versions; passed: ${passed[*]:-nothing}${failed:+; failed: $failed};" \
    "$(( ($(date +%s) - start + 59) / 60 )) min (log: $log)"
done
exit $status
