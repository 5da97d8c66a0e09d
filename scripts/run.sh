#!/usr/bin/env bash
# Installs what is missing, builds the trainer and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Qt 6 where the system offers it, else Qt 5.15 (Debian 11); SIGHT_QT_MAJOR=5 or 6 chooses.
qt=$("$top/scripts/choose-qt.sh")
"$top/scripts/install-deps.sh" "$top/scripts/packages.txt" "$top/scripts/packages-qt$qt.txt"
# The program alone: the tests and the developer tools need packages running it does not.
"$top/scripts/build.sh" -DSIGHT_QT_MAJOR="$qt" -DBUILD_TESTING=OFF -DSIGHT_DEVELOPER_TOOLS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the trainer's windows on; to try it without one: xvfb-run -a $top/build/sight-trainer" >&2
  exit 1
fi
exec "$top/build/sight-trainer"
