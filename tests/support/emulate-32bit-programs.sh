#!/usr/bin/env bash
# emulate-32bit-programs.sh CACHE_DIR: on a kernel that refuses 32-bit x86 programs, hands them
# to QEMU's user-mode emulator through binfmt_misc, so that the 32-bit tests and Wine's 32-bit
# loader run there too. Exits 0 when 32-bit programs run afterwards, 1 when they can't be made to.
#
# Wine needs QEMU 8.1 or later: older emulators treat MAP_FIXED_NOREPLACE as a hint and place
# Wine's reserved areas (its shared user data at 0x7ffe0000 among them) elsewhere. Debian 12 has
# 7.2, so the statically linked emulator comes from Debian 13's package, unpacked into CACHE_DIR
# (its Debian 12 dependencies don't matter to a static binary). It is downloaded with apt's state
# kept in CACHE_DIR, from the archive that the machine's own entry for Debian names
# (tools/apt-source.sh).
set -eu
cache=${1:?usage: emulate-32bit-programs.sh CACHE_DIR}
here=$(cd "$(dirname "$0")" && pwd)
binfmt=/proc/sys/fs/binfmt_misc
emulator=$cache/qemu-i386

if [ ! -x "$emulator" ]; then
    mkdir -p "$cache/lists/partial" "$cache/archives/partial"
    entry=$(bash "$here/../../tools/apt-source.sh" deb trixie)
    printf '%s\n' "$entry" > "$cache/trixie.sources"
    apt=(-o Dir::Etc::sourcelist="$cache/trixie.sources" -o Dir::Etc::sourceparts=- -o Dir::State::Lists="$cache/lists"
         -o Dir::Cache="$cache" -o Dir::Cache::archives="$cache/archives" -o APT::Architectures::=amd64
         -o APT::Sandbox::User=root)
    apt-get "${apt[@]}" -qq update
    (cd "$cache" && apt-get "${apt[@]}" -qq download qemu-user)
    dpkg-deb -x "$cache"/qemu-user_*.deb "$cache/unpacked"
    cp "$cache/unpacked/usr/bin/qemu-i386" "$emulator"
    rm -rf "$cache/unpacked" "$cache"/qemu-user_*.deb
fi

[ -d "$binfmt" ] && [ -w "$binfmt/register" ] || { echo "emulate-32bit-programs.sh: binfmt_misc is not writable" >&2; exit 1; }
if [ -e "$binfmt/zarn-i386" ]; then
    echo -1 > "$binfmt/zarn-i386"
fi
# ELF, 32-bit, little-endian, an executable or a shared object (a PIE), for the i386.  The F flag
# opens the emulator now, so that it serves inside any mount namespace or chroot as well.
echo ":zarn-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$emulator:F" \
    > "$binfmt/register"
bash "$here/runs-32bit-programs.sh"
