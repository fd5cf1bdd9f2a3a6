#!/usr/bin/env bash
# Builds the programs and starts the lyrics manager under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target manager
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting the manager on a virtual screen (Xvfb)."
  source scripts/xvfb.sh
fi
exec wine "build/windows/bin/Nemba歌词管理器.exe" "$@"
