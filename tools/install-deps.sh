#!/usr/bin/env bash
# Installs everything zarN needs to build, run and test on Debian 12 (as root, or through sudo).
set -eu
packages=(
    build-essential cmake pkg-config
    juce-modules-source juce-tools
    libasound2-dev libjack-jackd2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxcomposite-dev
    libgtest-dev googletest libbenchmark-dev
    gcc-multilib g++-multilib
    fonts-dejavu-core
    jackd2 jack-tools libasound2-plugins
    xvfb xdotool x11-utils x11-apps imagemagick
    python3 python3-numpy
    clang libclang-rt-dev
    ardour
)
sudo=""
if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
