#!/usr/bin/env bash
# runs-32bit-programs.sh: exits 0 when this machine runs 32-bit x86 Linux programs (as the 32-bit
# tests of the effect base classes and Wine's 32-bit loader are), 1 when its kernel refuses them
# (a kernel built without IA-32 emulation answers "Exec format error"). Needs gcc-multilib.
set -u
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'int main (void) { return 0; }' > "$probe/probe.c"
gcc -m32 "$probe/probe.c" -o "$probe/probe" || { echo "runs-32bit-programs.sh: gcc -m32 failed" >&2; exit 2; }
if "$probe/probe" 2>/dev/null; then exit 0; else exit 1; fi
