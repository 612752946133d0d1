#!/usr/bin/env bash
# apt-source.sh [-c CODENAME] TYPE [SUITE [SOURCE...]]: prints a deb822 sources entry of type
# TYPE (deb or deb-src) for SUITE (by default the release's codename) of Debian's archive, at the
# address that this machine's apt already uses for it, so that an install step that needs another
# type or suite reaches the same archive, mirror or proxy. Exits 1, saying what to add, when apt
# has no entry for Debian's archive.
#
# The entries are read where apt reads them (Dir::Etc::sourcelist, then the *.list and *.sources
# files of Dir::Etc::sourceparts in name order), or from the SOURCE files and folders given.
# CODENAME is VERSION_CODENAME of /etc/os-release unless given.
#
# Debian's entry is an enabled one (deb or deb-src) whose suites include the codename itself
# (not CODENAME-security or CODENAME-updates: those are other archives or only part of one) and
# whose components include main. Where several are, one signed by Debian's archive keyring comes
# before the others (a vendor's archive may have the same suite and component), and then the one
# that apt reads first. Its URIs and Signed-By are printed as they are; the type and the suite are
# the ones asked for, and the component is main.
set -eu
usage="usage: apt-source.sh [-c CODENAME] TYPE [SUITE [SOURCE...]]"
codename=""
while getopts c: option; do
    case $option in
    c) codename=$OPTARG ;;
    *) echo "$usage" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
type=${1:?$usage}
case $type in deb | deb-src) ;; *) echo "$usage" >&2; exit 2 ;; esac
if [ -z "$codename" ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || { echo "apt-source.sh: /etc/os-release names no VERSION_CODENAME; give it with -c" >&2; exit 2; }
fi
suite=${2:-$codename}
shift $(($# < 2 ? $# : 2))

if [ $# -eq 0 ]; then
    eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
    set -- "${list:-}" "${parts:-}"
fi
# apt reads the files of a folder in byte order and skips names with other characters than these.
export LC_ALL=C
files=()
for source in "$@"; do
    if [ -d "$source" ]; then
        for f in "${source%/}"/*; do
            [[ -f $f && ${f##*/} =~ ^[A-Za-z0-9_.-]+\.(list|sources)$ ]] && files+=("$f")
        done
    elif [ -f "$source" ]; then
        files+=("$source")
    fi
done

# A file named *.sources is deb822 (stanzas of fields, '#' lines are comments, a line that starts
# with a blank continues the field before it); any other is one-line ("deb [options] URI suite
# component...", '#' starts a comment).
if [ ${#files[@]} -gt 0 ] && awk -v type="$type" -v suite="$suite" -v codename="$codename" '
    function has(list, word,   words, n, i) {
        n = split(list, words, /[ \t\n]+/)
        for (i = 1; i <= n; i++) if (words[i] == word) return 1
        return 0
    }
    function consider(types, suites, components, uris, signed_by, enabled,   rank) {
        if (!enabled || uris == "" || !(has(types, "deb") || has(types, "deb-src"))) return
        if (!has(suites, codename) || !has(components, "main")) return
        rank = signed_by ~ /debian-archive-keyring/ ? 2 : 1
        if (rank > best) { best = rank; best_uris = uris; best_signed_by = signed_by }
    }
    function end_stanza(   enabled) {
        enabled = tolower(field["enabled"]) !~ /^(no|false|off|0|disable|without)$/
        if (in_stanza) consider(field["types"], field["suites"], field["components"], field["uris"], field["signed-by"], enabled)
        split("", field); in_stanza = 0; name = ""
    }
    function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }

    FNR == 1 { end_stanza(); deb822 = FILENAME ~ /\.sources$/ }

    deb822 && /^#/ { next }
    deb822 && /^[ \t]*$/ { end_stanza(); next }
    deb822 && /^[ \t]/ { if (name != "") field[name] = field[name] "\n" $0; next }
    deb822 && /:/ {
        name = tolower(trim(substr($0, 1, index($0, ":") - 1)))
        field[name] = trim(substr($0, index($0, ":") + 1)); in_stanza = 1
        next
    }

    !deb822 {
        line = $0; sub(/#.*/, "", line); line = trim(line)
        if (line == "") next
        entry_type = line; sub(/[ \t].*/, "", entry_type)
        rest = trim(substr(line, length(entry_type) + 1)); options = ""
        if (rest ~ /^\[/ && index(rest, "]")) {
            options = substr(rest, 2, index(rest, "]") - 2); rest = trim(substr(rest, index(rest, "]") + 1))
        }
        signed_by = ""; n = split(options, option, /[ \t]+/)
        for (i = 1; i <= n; i++) if (option[i] ~ /^signed-by=/) signed_by = substr(option[i], 11)
        n = split(rest, word, /[ \t]+/); components = ""
        for (i = 3; i <= n; i++) components = components " " word[i]
        consider(entry_type, word[2], components, word[1], signed_by, 1)
    }

    END {
        end_stanza()
        if (!best) exit 1
        gsub(/[ \t\n]+/, " ", best_uris)
        print "Types: " type
        print "URIs: " trim(best_uris)
        print "Suites: " suite
        print "Components: main"
        if (best_signed_by != "") print "Signed-By:" (best_signed_by ~ /^\n/ ? "" : " ") best_signed_by
    }' "${files[@]}"; then
    exit 0
fi
{
    echo "apt-source.sh: found no entry of Debian's archive for $codename (an enabled deb or deb-src entry with suite $codename and component main) in: ${files[*]:-no sources file}"
    echo "Add one for the archive (or the mirror or proxy) that this machine uses to apt's sources, e.g. a stanza in a .sources file of /etc/apt/sources.list.d:"
    printf '    %s\n' "Types: deb" "URIs: <the archive's address>" "Suites: $codename" "Components: main" \
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
} >&2
exit 1
