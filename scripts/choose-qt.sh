#!/usr/bin/env bash
# Prints the Qt major version to build the trainer with here: SIGHT_QT_MAJOR if set, else 6
# where Debian's packages offer Qt 6.4 or later (Debian 12, 13), else 5 (Qt 5.15: Debian 11,
# and systems whose Qt 6 is older than what the trainer is checked with).
set -euo pipefail
if [ -n "${SIGHT_QT_MAJOR:-}" ]; then
  echo "$SIGHT_QT_MAJOR"
  exit 0
fi
qt6_version() {
  local version
  version=$(dpkg-query -W -f='${Status} ${Version}' qt6-base-dev 2>/dev/null |
    sed -n 's/^install ok installed //p')
  if [ -z "$version" ]; then
    version=$(apt-cache policy qt6-base-dev 2>/dev/null | sed -n 's/^ *Candidate: //p')
  fi
  [ "$version" = "(none)" ] && version=
  echo "$version"
}
version=$(qt6_version)
# A new machine may not have read its package lists yet.
if [ -z "$version" ] && ! ls /var/lib/apt/lists/*_Packages >/dev/null 2>&1; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -q >&2
  version=$(qt6_version)
fi
if [ -n "$version" ] && dpkg --compare-versions "$version" ge 6.4; then
  echo 6
else
  echo 5
fi
