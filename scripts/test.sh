#!/usr/bin/env bash
# Sets up this Debian machine, builds Norvane and runs every test: the native
# unit tests and the end-to-end tests of the Windows build under Wine.
# Arguments go to ctest, e.g. "scripts/test.sh -L e2e" or "-R start".
# Exit status: ctest's (0 when every test passed).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

prepare
say "tests"
# -j: the unit tests run side by side; the Wine tests take turns (they share
# one Wine prefix).
exec ctest --test-dir "$NORVANE_BUILD/native" --output-on-failure -j "$NORVANE_JOBS" "$@"
