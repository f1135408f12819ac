#!/usr/bin/env bash
# Installs what is missing (Debian), configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
  libqt6multimediawidgets6 qt6-qpa-plugins libgl-dev gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good gstreamer1.0-libav fonts-dejavu-core poppler-utils
  dpkg-dev desktop-file-utils appstream
  weston qt6-wayland dbus at-spi2-core python3-pyatspi
  xvfb libxcb-xtest0-dev libxcb-damage0-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
