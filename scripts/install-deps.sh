#!/usr/bin/env bash
# Installs the Debian packages of a list (scripts/packages.txt unless another list is named)
# that are not installed yet.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
list=${1:-$here/packages.txt}
mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$list")
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
