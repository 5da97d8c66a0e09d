#!/usr/bin/env bash
# Configures and builds the trainer in build/ (Release with debug info); extra arguments go
# to CMake's configuration, e.g. -DBUILD_TESTING=OFF.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$top/build" --parallel "$(nproc)"
