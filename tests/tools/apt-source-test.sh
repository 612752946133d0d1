#!/usr/bin/env bash
# apt-source-test.sh: runs tools/apt-source.sh on the sources files in apt-sources/ (one-line and
# deb822, Debian's entry among others or missing) and checks the entry it prints for each case,
# or, where there is none, its message and its status. Reads nothing of /etc/apt but apt.conf.d.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
derive=$here/../../tools/apt-source.sh
fixtures=$here/apt-sources
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# entry TYPE SUITE URIS [SIGNED_BY]: the entry that the derivation should print.
entry() {
    printf '%s\n' "Types: $1" "URIs: $3" "Suites: $2" "Components: main"
    if [ $# -gt 3 ]; then printf 'Signed-By:%s\n' "$4"; fi
}
keyring=" /usr/share/keyrings/debian-archive-keyring.gpg"

# check NAME STATUS EXPECTED ARGUMENT...: the derivation, for the release bookworm and with the
# arguments given, exits with STATUS and prints EXPECTED on its standard output, and on its
# standard error every line of $message (none by default) as a whole line.
message=""
check() {
    local name=$1 status=$2 expected=$3
    shift 3
    local rc=0
    bash "$derive" -c bookworm "$@" >"$work/out" 2>"$work/err" || rc=$?
    if [ "$rc" = "$status" ] && [ "$(cat "$work/out")" = "$expected" ] &&
        { [ -z "$message" ] || [ "$(grep -c -x -F -f <(printf '%s\n' "$message") "$work/err")" = "$(printf '%s\n' "$message" | wc -l)" ]; }; then
        passed=$((passed + 1))
        return
    fi
    failed=$((failed + 1))
    echo "FAILED: $name (status $rc, expected $status)"
    diff <(printf '%s\n' "$expected") "$work/out" || true
    cat "$work/err"
}

check "deb822, one stanza" 0 "$(entry deb-src bookworm mirror+file:/etc/apt/mirrors/debian.list "$keyring")" \
    deb-src bookworm "$fixtures/one.sources"
# Skipped: a vendor's suite, a disabled entry, the security archive; taken: the first of the
# Debian entries, whose fields have other case, comments and continued lines.
check "deb822, several stanzas" 0 \
    "$(entry deb-src bookworm "file:/srv/mirror/debian file:/srv/second-mirror/debian" "$keyring")" \
    deb-src bookworm "$fixtures/several.sources"
check "deb822, another suite" 0 \
    "$(entry deb trixie "file:/srv/mirror/debian file:/srv/second-mirror/debian" "$keyring")" \
    deb trixie "$fixtures/several.sources"
check "deb822, the suite left out" 0 \
    "$(entry deb-src bookworm "file:/srv/mirror/debian file:/srv/second-mirror/debian" "$keyring")" \
    deb-src "" "$fixtures/several.sources"
check "deb822, a key inside the entry" 0 "$(entry deb-src bookworm file:/srv/mirror/debian "
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 bWFkZSB1cCBmb3IgdGhlIHRlc3Q=
 -----END PGP PUBLIC KEY BLOCK-----")" deb-src bookworm "$fixtures/inline-key.sources"
# The line signed by Debian's keyring comes before an earlier one that names no key.
check "one-line, with options" 0 "$(entry deb-src bookworm file:/srv/mirror/debian "$keyring")" \
    deb-src bookworm "$fixtures/one-line.list"
check "one-line, without options" 0 "$(entry deb trixie file:/srv/mirror/debian)" \
    deb trixie "$fixtures/one-line-plain.list"
# A folder: a vendor's entry for the same suite, read first, and a file that apt skips.
check "a folder, a vendor's entry first" 0 "$(entry deb-src bookworm file:/srv/mirror/debian "$keyring")" \
    deb-src bookworm "$fixtures/vendor-first"

# Where apt reads, as its configuration names it: the main list (deb822 when named *.sources, as
# apt takes it), before the folder; the folder alone where there is no main list.
apt_conf() { printf '%s\n' "Dir::Etc::sourcelist \"$1\";" "Dir::Etc::sourceparts \"$2\";" >"$work/apt.conf"; }
apt_conf "$fixtures/several.sources" "$fixtures/vendor-first"
APT_CONFIG=$work/apt.conf check "apt's own lists" 0 \
    "$(entry deb-src bookworm "file:/srv/mirror/debian file:/srv/second-mirror/debian" "$keyring")" deb-src
apt_conf "$work/sources.list" "$fixtures/vendor-first"
APT_CONFIG=$work/apt.conf check "apt's own folder" 0 "$(entry deb-src bookworm file:/srv/mirror/debian "$keyring")" \
    deb-src

# None: the derivation stops, saying what to add.
apt_conf "$work/sources.list" "$fixtures/none"
message="$(printf '%s\n' "Add one for the archive (or the mirror or proxy) that this machine uses to apt's sources, e.g. a stanza in a .sources file of /etc/apt/sources.list.d:" \
    "    Types: deb" "    URIs: <the archive's address>" "    Suites: bookworm" "    Components: main" \
    "    Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg")"
check "no Debian entry" 1 "" deb trixie "$fixtures/none"
check "no sources file" 1 "" deb trixie "$work/missing.sources"
APT_CONFIG=$work/apt.conf check "apt's own lists, no Debian entry" 1 "" deb-src

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
