#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Does nothing when they are all present already.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-qpa-plugins libqscintilla2-qt6-dev
  libcurl4-openssl-dev libcpp-httplib-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xdotool imagemagick openbox wmctrl x11-utils x11-xkb-utils fonts-dejavu-core
  rapidjson-dev nlohmann-json3-dev libsimdjson-dev libinih-dev libsimpleini-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
