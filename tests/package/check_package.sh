#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks the Debian package: lintian finds no error or warning; unpacked into a throw-away root,
# the layout lets the programs find their skin and templates, they print their version and
# help, quillane-cli reads an installed template, and the desktop entry, the AppStream
# metainfo and the man pages are there and valid, and libcrypto's package is a dependency.
#   check_package.sh PACKAGE.deb VERSION
# Runs the programs, so only inside a namespace made by scripts/in-test-netns.sh.
set -u
here=$(cd "$(dirname "$0")" && pwd)
deb=$1
version=$2
failures=0
if [ "${QUILLANE_ISOLATED_NETNS:-}" != 1 ]; then
    echo "check_package.sh: run this through scripts/in-test-netns.sh" >&2
    exit 1
fi

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

case "$(basename "$deb")" in
    "quillane_${version}_amd64.deb") ;;
    *) fail "package file name $(basename "$deb"), expected quillane_${version}_amd64.deb" ;;
esac

tags=$(lintian --fail-on error,warning --display-info "$deb" 2>&1)
status=$?
grep -v "running with root privileges" <<<"$tags"
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"

# libcrypto is loaded when first needed, so its package is named by hand, not found by dpkg-shlibdeps.
depends=$(dpkg-deb -f "$deb" Depends)
grep -Eq '(^|, )libssl3(t64)? \(>= 3' <<<"$depends" || fail "Depends does not name libcrypto's package: $depends"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"

for entry in Quillane.ini Image/bg_DlgListCam.png tQuillane/Verification_temp; do
    [ -f "$root/usr/lib/quillane/$entry" ] || fail "usr/lib/quillane/$entry does not lead to a file"
done
"$here/../cli/program_options.sh" "$version" "$root/usr/bin/quillane-cli" "$root/usr/bin/quillane-camsim" \
    "$root/usr/bin/quillane" >/dev/null || fail "--version or --help of the installed programs"
dump=$("$root/usr/bin/quillane-cli" template dump "$root/usr/lib/quillane/tQuillane/Verification_temp" 2>&1)
[ "$dump" = $'Power=0\nPadding=0' ] || fail "template dump of an installed template printed: $dump"

desktop-file-validate "$root/usr/share/applications/quillane.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
for size in 16x16 24x24 32x32 48x48 64x64 128x128; do
    [ -f "$root/usr/share/icons/hicolor/$size/apps/quillane.png" ] || fail "no $size icon"
done
for program in quillane quillane-cli quillane-camsim; do
    page="$root/usr/share/man/man1/$program.1.gz"
    zcat "$page" 2>/dev/null | grep -q -- '-version' || fail "man page $program.1.gz missing or without --version"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "all package checks passed"
