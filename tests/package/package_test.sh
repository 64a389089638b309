#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with scripts/package (its build must not warn), checks it with
# lintian, desktop-file-validate and appstreamcli, installs it on this machine, runs what it
# installed (in a lab of its own, as "nobody", against a camera in another subnet), purges it
# and checks that nothing of it is left.
#
#   package_test.sh SOURCE_DIR [BUILD_DIR]
#
# BUILD_DIR (default SOURCE_DIR/build/package, or $ORVANTA_PACKAGE_BUILD_DIR) goes to
# scripts/package. Exit 77 (skipped) when not root, without dpkg, or when an orvanta2 package
# is already installed here.
set -euo pipefail

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo; echo "== $*"; }

source_dir=$(cd "${1:?usage: package_test.sh SOURCE_DIR [BUILD_DIR]}" && pwd)
build_dir=${2:-${ORVANTA_PACKAGE_BUILD_DIR:-$source_dir/build/package}}

[ "$(id -u)" = 0 ] || skip "installing the package needs root"
command -v dpkg >/dev/null && command -v dpkg-deb >/dev/null || skip "dpkg is missing"
if dpkg-query -W -f='${Status}' orvanta2 2>/dev/null | grep -q "installed"; then
    skip "an orvanta2 package is already installed on this machine; the test would purge it"
fi
for tool in cmake ninja apt-get lintian desktop-file-validate appstreamcli getcap setcap; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/bootstrap"
done

work=$(mktemp -d /tmp/orvanta2-package-test.XXXXXX)
installed=0
lab_id=""
cleanup() {
    if [ -n "$lab_id" ]; then "$source_dir/scripts/lab.sh" destroy "$lab_id"; fi
    if [ "$installed" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orvanta2 >/dev/null 2>&1 ||
            dpkg --purge orvanta2 >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "build the package in $build_dir"
# The one way to build it, as the README says; its build must not warn.
{ "$source_dir/scripts/package" "$build_dir" 2>&1 >&3 | tee "$work/build.log" >&2; } 3>"$work/deb"
deb=$(cat "$work/deb")
[ -f "$deb" ] || fail "scripts/package printed '$deb', not a package"
if grep -i 'warning:' "$work/build.log"; then fail "the package build warns"; fi
version=$(dpkg-deb -f "$deb" Version)
upstream=${version%-*}
echo "package: $deb ($version)"

step "license"
# Every source file says its license in its SPDX line.
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
    unmarked=$(cd "$source_dir" && git ls-files | grep -E \
        '\.(cpp|h|py|sh|cmake|desktop)$|CMakeLists\.txt$|^(scripts|\.ci|packaging/man)/|^packaging/(postinst|lintian-overrides|.*\.bash-completion)$' |
        xargs grep -L 'SPDX-License-Identifier: ' || true)
    [ -z "$unmarked" ] || fail "source files without an SPDX line: $(echo $unmarked)"
fi

step "lintian"
# Errors and warnings fail the test; pedantic notes are printed for whoever reads the log.
lintian --pedantic --fail-on error,warning --info "$deb" || fail "lintian reports errors or warnings"

step "contents"
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^/\?$' \
    >"$work/paths"
helper=/usr/libexec/orvanta2/orvanta2-nethelper
expected=(
    /usr/bin/orvanta2 /usr/bin/orvanta2-cli /usr/bin/orvanta2-camsim
    /usr/share/orvanta2/Language/ENG.ini /usr/share/orvanta2/Language/CHT.ini
    /usr/share/applications/orvanta2.desktop
    /usr/share/icons/hicolor/scalable/apps/orvanta2.svg
    /usr/share/bash-completion/completions/orvanta2-cli
    /usr/share/doc/orvanta2/copyright /usr/share/doc/orvanta2/changelog.Debian.gz
    /usr/share/metainfo/org.orvanta.orvanta2.metainfo.xml
    "$helper" /usr/share/man/man8/orvanta2-nethelper.8.gz
)
# Every program has its manual page, the helper in section 8 (above).
for program in "$work"/root/usr/bin/*; do expected+=("/usr/share/man/man1/${program##*/}.1.gz"); done
for path in "${expected[@]}"; do
    grep -qx "$path" "$work/paths" || fail "the package lacks $path"
done
grep -q '^libcap2-bin\b\|, libcap2-bin\b' <<<"$(dpkg-deb -f "$deb" Depends)" ||
    fail "the package installs the helper but does not depend on libcap2-bin for setcap"
# Nothing outside /usr, and nothing of the build machine (paths, /usr/local).
if grep -v '^/usr\(/\|$\)' "$work/paths" | grep -q .; then
    fail "files outside /usr: $(grep -v '^/usr\(/\|$\)' "$work/paths" | tr '\n' ' ')"
fi
grep -q '^/usr/local' "$work/paths" && fail "files under /usr/local"
zcat "$work/root/usr/share/doc/orvanta2/changelog.Debian.gz" | head -1 | grep -qF "($version)" ||
    fail "the top entry of changelog.Debian.gz is not version $version"
grep -q 'postinst' <<<"$(dpkg-deb -I "$deb")" || fail "the package has no postinst"
echo "contents: ok ($(wc -l <"$work/paths") paths)"

step "desktop-file-validate"
desktop-file-validate "$work/root/usr/share/applications/orvanta2.desktop" ||
    fail "desktop-file-validate"
grep -qx 'Exec=orvanta2' "$work/root/usr/share/applications/orvanta2.desktop" ||
    fail "the desktop entry does not start /usr/bin/orvanta2"

step "appstreamcli validate"
metainfo=$work/root/usr/share/metainfo/org.orvanta.orvanta2.metainfo.xml
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">orvanta2.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not name the desktop entry"
grep -q "<release version=\"$upstream\"" "$metainfo" || fail "the metainfo has no release $upstream"

step "install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb"
installed=1
dpkg-query -W -f='${Status}\n' orvanta2 | grep -qx "install ok installed" ||
    fail "orvanta2 is not installed after apt-get install"

step "run the installed programs"
orvanta2-cli --version | grep -F "$upstream" || fail "orvanta2-cli --version does not say $upstream"
orvanta2-camsim --help >/dev/null || fail "orvanta2-camsim --help"
rc=0
orvanta2-camsim >/dev/null 2>&1 || rc=$?
[ "$rc" = 2 ] || fail "orvanta2-camsim with no camera exits $rc, not 2"
for program in /usr/bin/orvanta2 /usr/bin/orvanta2-cli /usr/bin/orvanta2-camsim "$helper"; do
    missing=$(ldd "$program" | grep 'not found' || true)
    [ -z "$missing" ] || fail "$program: libraries missing after install: $missing"
    file -L "$program" | grep -q ', stripped' || fail "$program is not stripped"
done
[ -f /usr/share/orvanta2/Language/ENG.ini ] || fail "no language files installed"

step "bash completion"
# What the completion offers after "orvanta2-cli [COMMAND] WORD", one per line.
completions() {
    bash -c '
        source /usr/share/bash-completion/bash_completion
        source /usr/share/bash-completion/completions/orvanta2-cli
        COMP_WORDS=(orvanta2-cli "$@"); COMP_CWORD=$#
        COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
        _orvanta2_cli orvanta2-cli "${@: -1}" "${COMP_WORDS[$# - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$@"
}
if [ -f /usr/share/bash-completion/bash_completion ]; then
    # The commands the completion offers are the commands the tool knows.
    offered=$(completions "" | grep -v '^-' | sort)
    known=$(orvanta2-cli --help | awk '/^commands:/ { on = 1; next } on && NF { print $1 }' | sort)
    [ -n "$known" ] || fail "orvanta2-cli --help lists no commands"
    [ "$offered" = "$known" ] ||
        fail "completion offers [$(echo $offered)], the tool knows [$(echo $known)]"
    # And each command's options are the ones its --help lists.
    for command in $known; do
        options=$(completions "$command" -- | sort -u | tr '\n' ' ')
        listed=$(orvanta2-cli "$command" --help | sed -n '/^Options:/,$p' |
            grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
        [ "$options" = "$listed" ] ||
            fail "completion of '$command --' gives [$options], its --help lists [$listed]"
    done
    echo "completion: ok"
else
    echo "bash-completion is not installed: completion not exercised"
fi

step "capabilities"
caps=$(getcap "$helper")
echo "getcap: ${caps:-(none)}"
if ! grep -q 'cap_net_admin,cap_net_raw[+=]ep' <<<"$caps"; then
    # Only acceptable where the file system cannot hold capabilities at all.
    if setcap cap_net_admin,cap_net_raw+ep "$helper" 2>/dev/null; then
        fail "postinst did not grant the helper its capabilities, though the file system holds them"
    fi
    echo "the file system here cannot hold capabilities: postinst said so and went on"
fi
for program in /usr/bin/orvanta2 /usr/bin/orvanta2-cli /usr/bin/orvanta2-camsim; do
    [ -z "$(getcap "$program")" ] || fail "$program has capabilities; only the helper may"
done
# Where setcap fails (a file system without capabilities) or is missing, configuring
# still succeeds and says what to run.
postinst=/var/lib/dpkg/info/orvanta2.postinst
mkdir -p "$work/fakebin" "$work/nobin"
printf '#!/bin/sh\necho "Failed to set capabilities on file: Operation not supported" >&2\nexit 1\n' \
    >"$work/fakebin/setcap"
chmod 755 "$work/fakebin/setcap"
for bin in fakebin nobin; do
    rc=0
    said=$(PATH="$work/$bin" /bin/sh "$postinst" configure 2>&1 >/dev/null) || rc=$?
    echo "postinst with setcap from $bin: exit $rc"
    echo "$said" | sed 's/^/  /'
    [ "$rc" = 0 ] || fail "postinst fails ($rc) when setcap cannot work"
    grep -qF "setcap cap_net_admin,cap_net_raw+ep $helper" <<<"$said" ||
        fail "postinst does not say how to grant the capabilities"
done

step "an ordinary user reads a camera in another subnet"
if grep -q 'cap_net_admin,cap_net_raw[+=]ep' <<<"$caps"; then
    # A lab of its own: the PC at 10.1.1.5, the camera at 192.168.0.98 on the same wire.
    lab() { "$source_dir/scripts/lab.sh" "$@"; }
    lab_id=$$
    lab create "$lab_id"
    lab add-host "$lab_id" pc 10.1.1.5/24
    lab add-host "$lab_id" cam 192.168.0.98/24
    lab exec "$lab_id" cam orvanta2-camsim --ready-file "$work/camsim-ready" \
        --camera mac=00:11:22:33:44:55,ip=192.168.0.98,model=Quent-9Z >/dev/null 2>&1 &
    for _ in $(seq 1 100); do [ -e "$work/camsim-ready" ] && break; sleep 0.05; done
    out=$(lab exec "$lab_id" pc setpriv --reuid=nobody --regid=nogroup --clear-groups \
        --inh-caps=-all orvanta2-cli read 192.168.0.98 2>&1) || fail "read as nobody: $out"
    echo "$out" | sed 's/^/  /'
    grep -q 'through the temporary address 192\.168\.0\.' <<<"$out" &&
        grep -q '^ModelName  *Quent-9Z$' <<<"$out" || fail "nobody did not read the camera"
    lab destroy "$lab_id"
    lab_id=""
else
    echo "the helper holds no capabilities here: nothing to check"
fi

step "purge"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -q orvanta2
installed=0
dpkg-query -W -f='${Status}' orvanta2 2>/dev/null | grep -q "installed" &&
    fail "orvanta2 is still known to dpkg: $(dpkg-query -W -f='${Status}' orvanta2)"
dpkg -L orvanta2 >/dev/null 2>&1 && fail "dpkg -L orvanta2 still lists files"
left=()
for path in /usr/share/orvanta2 /usr/libexec/orvanta2 /usr/share/doc/orvanta2 /usr/bin/orvanta2*; do
    [ -e "$path" ] && left+=("$path")
done
while read -r path; do
    # Directories such as /usr/bin stay; every file of the package must be gone.
    if [ -e "$path" ] && [ ! -d "$path" ]; then left+=("$path"); fi
done <"$work/paths"
[ ${#left[@]} = 0 ] || fail "left after purge: ${left[*]}"
echo "purge: nothing left"

echo
echo "package test passed: $deb"
