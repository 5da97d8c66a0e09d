#!/usr/bin/env bash
# Installs what is missing, builds the trainer and runs every test headless.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
ctest --test-dir "$top/build" --output-on-failure --timeout 600
