#!/usr/bin/env bash
# Sets up this Debian machine, builds Norvane and runs every test: the native
# unit tests and the end-to-end tests of the Windows build under Wine.
# Arguments go to ctest, e.g. "scripts/test.sh -L e2e" or "-R start".
# Exit status: ctest's (0 when every test passed).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

prepare
say "tests"
# ctest shows a test's own output only when it fails, so say here which build
# the Wine tests run.
if e2e_wine32_works; then
  echo "Wine tests: the 32-bit build ($(tested_dist)) under 32-bit Wine" >&2
else
  echo "Wine tests: the 64-bit build ($(tested_dist)) under wine64;" \
    "32-bit Wine cannot run on this machine" >&2
fi
# -j: the unit tests run side by side; the Wine tests take turns (they share
# one Wine prefix).
exec ctest --test-dir "$NORVANE_BUILD/native" --output-on-failure -j "$NORVANE_JOBS" "$@"
