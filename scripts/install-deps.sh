#!/usr/bin/env bash
# Installs the Debian 12 packages Corvane needs to build, test and run, and only those
# that are missing. Safe to run again and again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config      # the build
  qt6-base-dev qt6-webengine-dev        # Qt 6 Widgets, Network, PrintSupport and WebEngine
  libgtest-dev                          # the tests
  clang libclang-rt-14-dev              # the fuzzers and their sanitizers
  fonts-dejavu-core                     # text in headless windows
  xvfb xauth                            # the benchmarks' and screenshots' virtual display
  python3                               # the end-to-end tests' runner (standard library only)
  openbox                               # their window manager: focus on click, title-bar close
  xdotool                               # their real mouse and key input
  wmctrl                                # their title-bar close (the window manager's close request)
  x11-utils                             # xprop and xwininfo: their windows' state and places
  x11-apps                              # xwd: their pictures of single windows
  xclip                                 # they read the location boxes through the clipboard
  openssl                               # a certificate nobody vouches for, made for one of them
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
