#!/usr/bin/env bash
# Installs what is missing, builds the trainer and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh"
# The program alone: the tests and the developer tools need packages running it does not.
"$top/scripts/build.sh" -DBUILD_TESTING=OFF -DSIGHT_DEVELOPER_TOOLS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the trainer's windows on; to try it without one: xvfb-run -a $top/build/sight-trainer" >&2
  exit 1
fi
exec "$top/build/sight-trainer"
