#!/usr/bin/env bash
# Installs the Debian packages of the lists named (scripts/packages.txt and the list of the Qt
# that scripts/choose-qt.sh picks, unless lists are named) that are not installed yet.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ $# -eq 0 ]; then
  set -- "$here/packages.txt" "$here/packages-qt$("$here/choose-qt.sh").txt"
fi
mapfile -t wanted < <(grep -hvE '^\s*(#|$)' "$@" | sort -u)
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
