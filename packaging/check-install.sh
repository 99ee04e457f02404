#!/usr/bin/env bash
# Installs a build into a scratch folder as CPack does and checks what dpkg, lintian and the
# desktop menus look for in it: a mistake here would otherwise show only in a built package,
# or on a user's desktop as a missing or blurred icon.
#   check-install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}

# Width and height of a PNG, from its IHDR chunk (big-endian, bytes 16 to 23).
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

# A gzip member's time stamp (bytes 4 to 7) is zero when made with -n: two builds of one
# commit then give the same package.
gzip_without_time() { [ "$(od -An -tu1 -j4 -N4 "$1" | tr -d ' ')" = 0000 ]; }

usr=$dest/usr
check "the program is installed in /usr/bin" test -x "$usr/bin/tavi"

desktop=$usr/share/applications/tavi.desktop
check "the menu entry is installed" test -f "$desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
check "the menu entry starts the installed program (Exec=$exec_line)" test -x "$usr/bin/${exec_line%% *}"
icon=$(sed -n 's/^Icon=//p' "$desktop")
check "the menu entry's name is in Portuguese" grep -q '^Name=Tavi — Modelo de Demanda$' "$desktop"
check "the menu entry's categories" grep -q '^Categories=Science;Education;$' "$desktop"
check "the menu entry opens study files" grep -q '^MimeType=application/x-tavi-estudo;$' "$desktop"
check "the menu entry passes the file opened to the program" grep -q '^Exec=tavi %f$' "$desktop"
mime=$usr/share/mime/packages/tavi.xml
check "the study file type is installed" grep -q 'type="application/x-tavi-estudo"' "$mime"
check "the study file type is known by its extension" grep -q '<glob pattern="\*.tavi"/>' "$mime"
if command -v xmllint >/dev/null; then
    check "the study file type is well-formed XML" xmllint --noout "$mime"
fi
if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate accepts the menu entry" desktop-file-validate "$desktop"
fi

for size in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ -f "$png" ]; then
        actual=$(png_size "$png")
        check "the ${size}x${size} icon is drawn at that size, not $actual" test "$actual" = "${size}x${size}"
    else
        check "the ${size}x${size} icon named by the menu entry ($icon) is installed" false
    fi
done

doc=$usr/share/doc/tavi
check "the copyright file states the authors' copyright" grep -q '^Copyright: .*authors of Tavi' "$doc/copyright"
check "the copyright file grants no license" grep -q '^License: none$' "$doc/copyright"
check "the changelog is compressed without a time stamp" gzip_without_time "$doc/changelog.gz"
top=$(zcat "$doc/changelog.gz" | head -n 1)
check "the changelog's latest entry is version $version ($top)" test "${top%%;*}" = "tavi ($version) bookworm"
man=$usr/share/man/man1/tavi.1.gz
check "the manual page is compressed without a time stamp" gzip_without_time "$man"
check "the manual page is of tavi, section 1" sh -c "zcat '$man' | grep -q '^\.TH TAVI 1 '"

odd_dirs=$(find "$usr" -type d ! -perm 755)
check "every folder is rwxr-xr-x: $odd_dirs" test -z "$odd_dirs"
odd_files=$(find "$usr" -type f ! -path "$usr/bin/*" ! -perm 644)
check "every data file is rw-r--r--: $odd_files" test -z "$odd_files"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
