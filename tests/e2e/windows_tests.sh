#!/usr/bin/env bash
# Runs a GoogleTest program of the Windows build (such as the real machine
# layer's tests) under Wine, in the same prefix and display as the other
# end-to-end tests. Usage: windows_tests.sh <program.exe> [gtest arguments]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

program=$(realpath -m "$1")
shift
e2e_begin "$program"
e2e_wine "$program" "$@"
