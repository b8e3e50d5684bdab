#!/usr/bin/env bash
# Installs everything Stundenwerk needs to build, run and test on Debian 12.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libzip-dev libxml2-dev libpugixml-dev libcsv-dev
  xvfb xauth imagemagick poppler-utils
  chromium
  clang-format clang-tidy cppcheck
  clang libclang-rt-14-dev
  python3
  libxlsxwriter-dev libical-dev libcairo2-dev fonts-dejavu-core python3-openpyxl python3-icalendar
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
