#!/usr/bin/env bash
# Installs the build's Debian packages that are missing. Needs root (or sudo)
# only when something is actually missing.
set -euo pipefail
# qt6-base-dev brings Qt's CMake packages with the GL and Vulkan headers they
# look for; the widget tests draw text in the DejaVu fonts.
packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
  qt6-base-dev libgl-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
