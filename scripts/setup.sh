#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, and makes
# the zh_CN.UTF-8 locale (Wine's ANSI code page 936 comes from it). Quick when
# everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ googletest
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth x11-utils fonts-wine fonts-wqy-microhei locales imagemagick zip)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
