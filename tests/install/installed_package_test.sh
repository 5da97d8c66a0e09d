#!/usr/bin/env bash
# The Debian package as a user gets it: CPack builds it in the build tree, apt installs it with
# its dependencies, the installed /usr/bin/sight-trainer comes up under a real X server with
# its mode window and ends by its "Выход"; then the package, and whatever apt brought in with
# it, is removed again so the machine is left as it was. Needs root and apt; skipped without.
set -euo pipefail
build=$1
id=$2
qt=${3:-6}
source "$(dirname "$0")/../e2e/x_session.sh"
run_in_session "$@"

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "skipped: installing a package needs root and apt"
    exit 77
fi
if dpkg-query -W -f='${Status}' sight-trainer 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: sight-trainer is installed here already, and the test would remove it"
    exit 77
fi

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/sight-trainer_*.deb | head -n 1)
depends=$(dpkg-deb --field "$package" Depends)
# Debian 13 renamed Qt 6's libraries for the 64-bit time (libqt6core6t64).
if [ "$qt" = 5 ]; then
    needed_packages=(libqt5core5a libqt5gui5 libqt5widgets5 qtwayland5)
else
    needed_packages=('libqt6core6(t64)?' 'libqt6gui6(t64)?' 'libqt6widgets6(t64)?' qt6-wayland)
fi
for needed in "${needed_packages[@]}" fonts-liberation2 fonts-roboto-unhinted; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done

apt_quietly() {
    DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300 "$@" >/dev/null
}

installed_before=$(dpkg-query -W -f='${Package}\n' | sort)
brought_in=()
remove_package() {
    stop_x_session
    apt_quietly purge sight-trainer || echo "could not remove sight-trainer" >&2
    if [ ${#brought_in[@]} -gt 0 ]; then
        apt_quietly purge "${brought_in[@]}" || echo "could not remove ${brought_in[*]}" >&2
    fi
}
trap remove_package EXIT
apt_quietly install "$package"
mapfile -t brought_in < <(comm -13 <(echo "$installed_before") \
    <(dpkg-query -W -f='${Package}\n' | sort) | grep -vx sight-trainer || true)

[ -x /usr/bin/sight-trainer ] || fail "the package installed no /usr/bin/sight-trainer"
for file in "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml" \
    "/usr/share/icons/hicolor/256x256/apps/$id.png"; do
    [ -f "$file" ] || fail "the package installed no $file"
done

start_x_session
use_driver x11
trap remove_package EXIT
/usr/bin/sight-trainer &
APP_PID=$!
mode=$(wait_for_window '^Тренажер$')
[ "$(xdotool getwindowpid "$mode")" = "$APP_PID" ] ||
    fail "the mode window does not belong to the installed program"

# "Выход" of the mode window ends the program.
click_in "$mode" "${MODE_EXIT[@]}"
WAIT_TENTHS=100 wait_for_exit "$APP_PID" "the installed program"
APP_PID=
echo "installed package: passed"
