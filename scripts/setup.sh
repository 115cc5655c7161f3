#!/usr/bin/env bash
# Installs, from Debian's archive, every package the build, the tests and the fonts need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build clang clang-format clang-tidy
  libfmt-dev nlohmann-json3-dev libcli11-dev
  libfreetype-dev libfontconfig-dev fonts-wine fonts-liberation
  libsqlite3-dev mdbtools-dev libpq-dev libmariadb-dev postgresql mariadb-server librsvg2-dev libpng-dev libwmf-0.2-7-gtk chromium libgtest-dev libgmock-dev libbenchmark-dev googletest
  libmimalloc-dev libsimdjson-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
