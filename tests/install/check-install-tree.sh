#!/usr/bin/env bash
# Installs a built tree into a temporary DESTDIR, as a package would, and
# checks what desktops, software centres and `man` read from it:
#   check-install-tree.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
status=0
fail() {
    echo "install tree: $*" >&2
    status=1
}

for file in bin/tovra bin/tovra-sim bin/tovra-demo bin/tovra-author share/applications/tovra.desktop \
    share/icons/hicolor/scalable/apps/tovra.svg share/doc/tovra/copyright \
    share/doc/tovra/changelog.gz share/tovra/translations/tovra_en.qm; do
    [ -f "$root/$file" ] || fail "$file is missing"
done
for program in tovra tovra-sim tovra-demo tovra-author; do
    [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done

# Each bitmap icon is a PNG of its folder's size.
for size in 16 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/tovra.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    read -r -a header <<<"$(od -An -tu1 -N24 "$png" | tr '\n' ' ')"
    signature="${header[1]} ${header[2]} ${header[3]}"  # "PNG"
    width=$(((header[16] << 24) + (header[17] << 16) + (header[18] << 8) + header[19]))
    height=$(((header[20] << 24) + (header[21] << 16) + (header[22] << 8) + header[23]))
    [ "$signature" = "80 78 71" ] && [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "${size}x${size}/apps/tovra.png is not a ${size}x${size} PNG (${width}x${height})"
done

report=$(desktop-file-validate "$root/share/applications/tovra.desktop" 2>&1) ||
    fail "desktop-file-validate failed"
[ -z "$report" ] || fail "desktop-file-validate: $report"

metainfo=("$root"/share/metainfo/*.metainfo.xml)
if [ ${#metainfo[@]} -ne 1 ] || [ ! -f "${metainfo[0]}" ]; then
    fail "expected one file in share/metainfo"
else
    report=$(appstreamcli validate --no-net "${metainfo[0]}" 2>&1) ||
        fail "appstreamcli validate: $report"
    version=$("$root/bin/tovra-sim" --version | awk '{print $NF}')
    grep -q "<release version=\"$version\"" "${metainfo[0]}" ||
        fail "the metadata has no release entry for version $version"
fi

# Every option a program's --help names is in its manual page, and the
# manual page names no option the program lacks.
options() { grep -oE -- '--[a-z][a-z_-]*[a-z]' | sort -u; }
for program in tovra tovra-sim tovra-demo tovra-author; do
    page=$root/share/man/man1/$program.1.gz
    [ -f "$page" ] || {
        fail "no manual page $program.1.gz"
        continue
    }
    warnings=$(mktemp)
    # No hyphenation or justification, one long line per paragraph, and the
    # typographic hyphens back to plain ones, so that options read whole.
    text=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man --nh --nj --warnings -l "$page" 2>"$warnings" |
        sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g') || fail "man -l $program.1.gz failed"
    [ -s "$warnings" ] && fail "man -l $program.1.gz: $(cat "$warnings")"
    rm -f "$warnings"
    help=$("$root/bin/$program" --help) || fail "the installed $program --help failed"
    only_help=$(comm -23 <(options <<<"$help") <(options <<<"$text"))
    only_page=$(comm -13 <(options <<<"$help") <(options <<<"$text"))
    [ -z "$only_help" ] || fail "$program.1 lacks" $only_help
    [ -z "$only_page" ] || fail "$program.1 names options --help does not:" $only_page
done
exit $status
