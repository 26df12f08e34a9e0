#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libgl-dev
  fonts-liberation fonts-dejavu-core
  poppler-utils cups printer-driver-cups-pdf
  xauth
  desktop-file-utils appstream
  valgrind strace
  xvfb openbox xdotool xclip x11-utils x11-xkb-utils wmctrl imagemagick python3
  dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
