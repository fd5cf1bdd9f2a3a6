#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UBSan, then all tests under Wine on a private X server.
# Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/wine-env.sh
NEMBA_OWN_DISPLAY=1 source scripts/xvfb.sh
status=0
ctest --preset windows "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
