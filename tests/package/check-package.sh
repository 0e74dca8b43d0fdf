#!/usr/bin/env bash
# What a user installs, checked as one: the manual pages (lint, and --help naming the same options
# and exit statuses as tessnivar-report(1)), the version every release text names, and unless
# only the sources are checked (--sources) the Debian package built from this tree: its relations
# and exact files, its desktop entry and metadata as installed, its tool writing the built tool's
# report, both programs hardened, the debug symbols package, and lintian.
# usage: check-package.sh VERSION BUILT_TOOL WORK_FOLDER [--sources]
set -uo pipefail
version=$1 built_tool=$2 work=$3
root="$(cd "$(dirname "$0")/../.." && pwd)"
app=io.github.tessnivar.Tessnivar
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for page in "$root"/man/*.1; do
    mandoc -T lint "$page" || fail "mandoc lint: $page"
    grep -q "^\.TH .* \"Tessnivar $version\" " "$page" || fail "$page does not name $version"
done
grep -q "<release version=\"$version\"" "$root/desktop/$app.metainfo.xml" ||
    fail "the metadata's newest release is not $version"
head -n 1 "$root/debian/changelog" | grep -q "^tessnivar ($version)" ||
    fail "the changelog's newest entry is not $version"

# --help lists options on lines indented by two spaces and the statuses after "Exit status:"; the
# manual page tags them after .TP in its OPTIONS and EXIT STATUS sections.
help="$("$built_tool" --help)" || fail "--help"
sorted() { tr ' ,' '\n\n' | grep -E "$1" | sort -u | tr '\n' ' '; }
section() { sed -n "/^\.SH \"\?$1\"\?$/,/^\.SH /p" "$root/man/tessnivar-report.1" |
    grep -A1 '^\.TP' | grep -v '^\.TP\|^--' | sed 's/\\-/-/g; s/^\.[BIR]* //'; }
[ "$(grep -E '^  -' <<<"$help" | sorted '^-[-a-z]+$')" = "$(section OPTIONS | sorted '^-[-a-z]+$')" ] ||
    fail "--help and the manual page name different options"
[ "$(sed -n '/^Exit status:/,$p' <<<"$help" | grep -oE '\b[0-9]+ [a-z]' | cut -d' ' -f1 | sorted .)" = \
    "$(section 'EXIT STATUS' | cut -d' ' -f1 | sorted '^[0-9]+$')" ] ||
    fail "--help and the manual page name different exit statuses"

if [ "${4:-}" != --sources ]; then
    rm -rf "$work" && mkdir -p "$work"
    "$root/scripts/build-deb.sh" "$work" >"$work/build.log" 2>&1 || fail "the package build"
    deb=$(ls "$work"/tessnivar_*.deb)
    field() { dpkg-deb --field "$deb" "$1"; }
    [ "$(field Package) $(field Version) $(field Recommends)" = "tessnivar $version cups" ] ||
        fail "package name, version or recommends"
    # Fonts are found by name at run time, so only the package names them.
    for needed in 'fonts-liberation' 'fonts-comic-neue' 'libqt6widgets6 \(>= ' 'libcups2 \(>= '; do
        field Depends | grep -qE "(^|, )$needed" || fail "Depends lacks $needed"
    done
    expected="$(printf '%s\n' ./usr/bin/tessnivar{,-report} ./usr/share/man/man1/tessnivar{,-report}.1.gz \
        ./usr/share/{applications/$app.desktop,metainfo/$app.metainfo.xml,lintian/overrides/tessnivar} \
        ./usr/share/doc/tessnivar/{copyright,changelog.gz} ./usr/share/icons/hicolor/scalable/apps/tessnivar.svg \
        ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/tessnivar.png | sort)"
    listing="$(dpkg-deb --contents "$deb" | grep -v '^d')"
    [ "$(awk '{print $NF}' <<<"$listing" | sort)" = "$expected" ] || fail "the package's files"

    tree="$work/unpacked"
    dpkg-deb -x "$deb" "$tree" || fail "unpacking"
    appstreamcli validate-tree --no-net "$tree" >/dev/null || fail "appstreamcli validate-tree"
    desktop-file-validate "$tree/usr/share/applications/$app.desktop" || fail "the desktop entry"
    tool="$tree/usr/bin/tessnivar-report"
    "$tool" --version | head -n 3 | tr '\n' ' ' | grep -q "^tessnivar-report V $version Copyright .* License GPLv3+" ||
        fail "the packaged tool's --version"
    report="$("$tool" --csv 172.16.0.0 4)"
    [ -n "$report" ] && [ "$report" = "$("$built_tool" --csv 172.16.0.0 4)" ] ||
        fail "the packaged tool's report"
    for program in tessnivar tessnivar-report; do
        # Control flow integrity is not among Debian 12's hardening flags.
        hardening-check --nocfprotection "$tree/usr/bin/$program" || fail "$program not hardened"
    done
    ls "$work"/tessnivar-dbgsym_*.deb >/dev/null || fail "no debug symbols package"
    tags="$(lintian --pedantic -I --fail-on error,warning "$work"/tessnivar_*.changes)" ||
        fail "lintian errors or warnings"
    echo "lintian: ${tags:-no tags}"
    grep -q hardening- <<<"$tags" && fail "a lintian hardening tag"
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
