#!/usr/bin/env bash
# Builds and tests the trainer in clean roots of Debian 11, 12 and 13, made with mmdebstrap from
# Debian's packages, as a user of each release would: the README's scripts/run.sh up to "no
# display", then the pure tests. Needs root and the package registry's network; not part of
# CI. Roots are cached in ${SIGHT_DISTRO_CACHE:-~/.cache/sight-trainer/roots} between runs;
# nothing outside it is touched. Rows: bullseye (Qt 5.15), bookworm (Qt 6.4), bookworm-qt5
# (Qt 5.15), trixie (Qt 6.8); name some to run only those. One line a row.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${SIGHT_DISTRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sight-trainer/roots}
rows=("$@")
[ ${#rows[@]} -gt 0 ] || rows=(bullseye bookworm bookworm-qt5 trixie)
command -v mmdebstrap >/dev/null || apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null
mkdir -p "$cache"
mounted=()
cleanup() {
  local point
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
status=0
for row in "${rows[@]}"; do
  release=${row%-qt5}
  qt=; [ "$row" != "$release" ] && qt=5
  root=$cache/$release
  start=$(date +%s)
  if [ ! -x "$root/usr/bin/apt-get" ]; then
    rm -rf "$root"
    mmdebstrap --variant=apt --include=ca-certificates "$release" "$root" >"$cache/$release.log" 2>&1
  fi
  rm -rf "$root/src"
  mkdir -p "$root/src"
  (cd "$top" && git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$root/src")
  for fs in proc sys dev; do
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
  done
  log=$cache/$row-test.log
  passed=()
  if env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root SIGHT_QT_MAJOR="$qt" \
      chroot "$root" bash -c 'cd /src && scripts/run.sh' >"$log" 2>&1 ||
      grep -q "No display" "$log"; then
    passed+=(run.sh)
  fi
  if env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root SIGHT_QT_MAJOR="$qt" chroot "$root" bash -c '
      cd /src && qt=$(scripts/choose-qt.sh) &&
      scripts/install-deps.sh scripts/packages.txt scripts/packages-qt$qt.txt <(printf "%s\n" libgtest-dev libgmock-dev googletest) &&
      cmake -S . -B build-tests -DSIGHT_QT_MAJOR=$qt -DSIGHT_WERROR=ON -DBUILD_TESTING=ON -DSIGHT_DEVELOPER_TOOLS=OFF >/dev/null &&
      cmake --build build-tests --parallel "$(nproc)" --target pure_tests window_tests &&
      cd build-tests && ctest --output-on-failure --label-regex "^pure$"' >>"$log" 2>&1; then
    passed+=(pure)
  else
    status=1
  fi
  for point in "$root/dev" "$root/sys" "$root/proc"; do umount -l "$point"; done
  mounted=()
  versions=$(chroot "$root" bash -c 'dpkg-query -W -f="Qt \${Version} " qtbase5-dev qt6-base-dev 2>/dev/null; g++ -dumpfullversion 2>/dev/null' | tr '\n' ' ')
  echo "$row: $versions; passed: ${passed[*]:-nothing}; $(( ($(date +%s) - start + 59) / 60 )) min (log: $log)"
done
exit $status
