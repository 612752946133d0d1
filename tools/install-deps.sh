#!/usr/bin/env bash
# install-deps.sh [win32]: installs everything zarN needs to build, run and test on Debian 12 (as
# root, or through sudo). With win32, also what the 32-bit Windows cross build and its tests
# under Wine need: MinGW-w64, zlib for it, Wine with the 32-bit libraries it uses for windows,
# OpenGL (DXGI) and sound, the PulseAudio server that its sound driver plays into, and a deb-src
# entry for Debian's archive (libpng and libjpeg are built from Debian's source packages), at the
# address of the machine's own entry for it (apt-source.sh).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
packages=(
    build-essential cmake pkg-config
    juce-modules-source juce-tools
    libasound2-dev libjack-jackd2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxcomposite-dev libxtst-dev libxres-dev
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
update=false
if [ "${1:-}" = win32 ]; then
    packages+=(
        g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
        libz-mingw-w64-dev dpkg-dev patch
        wine wine64 wine32:i386
        libgl1:i386 libgl1-mesa-dri:i386 libasound2-plugins:i386 libpulse0:i386 pulseaudio pulseaudio-utils
        libxrandr2:i386 libxinerama1:i386 libxrender1:i386 libxcursor1:i386 libxi6:i386
        libxfixes3:i386 libxcomposite1:i386 libxxf86vm1:i386
    )
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        update=true
    fi
    deb_src=/etc/apt/sources.list.d/zarn-deb-src.sources
    if [ ! -f $deb_src ] && ! apt-cache showsrc libpng1.6 2>/dev/null | grep -q "^Package:"; then
        entry=$(bash "$here/apt-source.sh" deb-src)
        printf '%s\n' "$entry" | $sudo tee $deb_src >/dev/null
        update=true
    fi
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if $update || [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
