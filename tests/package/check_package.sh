#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks what scripts/package.sh built: lintian finds no error or warning in the source and
# binary packages; quillane-cli, unpacked alone, runs and reads its templates, and neither it nor
# its Depends name Qt; nothing depends on the simulator; the three packages unpacked together
# let the programs find their skin and templates and print their version and help; the desktop
# entry, the AppStream metainfo (validate-tree), icons, man pages and documentation are there.
#   check_package.sh PACKAGE_DIR VERSION
# Runs the programs, so only inside a namespace made by scripts/in-test-netns.sh.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
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

packages=(quillane quillane-cli quillane-camsim)
for file in "quillane_${version}.dsc" "quillane_${version}_amd64.changes"; do
    [ -f "$dir/$file" ] || fail "no $file"
done
for package in "${packages[@]}"; do
    for file in "${package}_${version}_amd64.deb" "${package}-dbgsym_${version}_amd64.deb"; do
        [ -f "$dir/$file" ] || fail "no $file"
    done
done
deb() { echo "$dir/$1_${version}_amd64.deb"; }

tags=$(lintian --fail-on error,warning --display-info "$dir/quillane_${version}_amd64.changes" 2>&1)
status=$?
grep -v "running with root privileges" <<<"$tags"
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"

# libcrypto is loaded when first needed, so its package is named by hand, not found by dpkg-shlibdeps.
for package in "${packages[@]}"; do
    depends=$(dpkg-deb -f "$(deb "$package")" Depends)
    grep -Eq '(^|, )libssl3(t64)? \(>= 3' <<<"$depends" || fail "$package: Depends does not name libcrypto's package: $depends"
done
cli_depends=$(dpkg-deb -f "$(deb quillane-cli)" Depends)
if grep -Eiq 'qt|libgl|libx11|fontconfig' <<<"$cli_depends"; then
    fail "quillane-cli depends on graphical libraries: $cli_depends"
fi
for package in quillane quillane-cli; do
    relations=$(dpkg-deb -f "$(deb "$package")" Depends Recommends Suggests)
    ! grep -q quillane-camsim <<<"$relations" || fail "$package pulls in the simulator: $relations"
done
grep -q xdg-utils <<<"$(dpkg-deb -f "$(deb quillane)" Recommends)" || fail "quillane does not recommend xdg-utils"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# quillane-cli on its own: no Qt library linked, and what it needs is in its own package.
cli_root=$scratch/cli
dpkg-deb -x "$(deb quillane-cli)" "$cli_root" || fail "dpkg-deb -x quillane-cli"
if readelf -d "$cli_root/usr/lib/quillane/quillane-cli" | grep -Ei 'NEEDED.*(qt|libGL|libX)'; then
    fail "quillane-cli links graphical libraries"
fi
[ "$("$cli_root/usr/bin/quillane-cli" --version 2>&1)" = "quillane-cli $version" ] ||
    fail "quillane-cli --version from the unpacked quillane-cli package"
dump=$("$cli_root/usr/bin/quillane-cli" template dump "$cli_root/usr/lib/quillane/tQuillane/Verification_temp" 2>&1)
[ "$dump" = $'Power=0\nPadding=0' ] || fail "template dump of an installed template printed: $dump"

root=$scratch/all
for package in "${packages[@]}"; do
    dpkg-deb -x "$(deb "$package")" "$root" || fail "dpkg-deb -x $package"
done
for entry in Quillane.ini Image/bg_DlgListCam.png tQuillane/Verification_temp; do
    [ -f "$root/usr/lib/quillane/$entry" ] || fail "usr/lib/quillane/$entry does not lead to a file"
done
"$here/../cli/program_options.sh" "$version" "$root/usr/bin/quillane-cli" "$root/usr/bin/quillane-camsim" \
    "$root/usr/bin/quillane" >/dev/null || fail "--version or --help of the installed programs"

id=org.quillane.quillane
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate-tree --pedantic --no-net "$root" || fail "appstreamcli validate-tree"
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ -f "$root/usr/share/icons/hicolor/$size/apps/quillane.png" ] || fail "no $size icon"
done
[ -f "$root/usr/share/icons/hicolor/scalable/apps/quillane.svg" ] || fail "no scalable icon"
for page in "${packages[@]}"; do
    text=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null | col -bx)
    for heading in SYNOPSIS FILES; do
        grep -q "^$heading$" <<<"$text" || fail "man page $page(1) has no $heading"
    done
    grep -q -- "--version" <<<"$text" || fail "man page $page(1) does not name --version"
    files=$(sed -n '/^FILES/,/^[A-Z]/p' <<<"$text")
    grep -q "/usr/lib/quillane/$page" <<<"$files" || fail "FILES of $page(1) does not name the installed program"
    ! grep -q "beside the program" <<<"$files" || fail "FILES of $page(1) names no installed paths"
done
for doc in system-needs.md security.md copyright; do
    [ -f "$root/usr/share/doc/quillane/$doc" ] || fail "no /usr/share/doc/quillane/$doc"
done
grep -q '^License: Apache-2.0' "$root/usr/share/doc/quillane/copyright" || fail "copyright grants no licence"

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "all package checks passed"
