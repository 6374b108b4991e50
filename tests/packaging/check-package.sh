#!/usr/bin/env bash
# Packs the current build into a .deb, unpacks it into a fresh root and runs
# the installed programs from there:
#   check-package.sh BUILD_DIR WORK_DIR
# Checks the package's dependencies, the installed files, that Debian's
# checker lintian finds no error or warning in it, that the three programs
# start and show the package's version, that the menu entry and the metainfo
# validate, and that a first start of the installed window keeps its
# settings in the user's configuration folder and says so.
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pack/moravel_*.deb)
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb"); Depends: $depends"
# dpkg-shlibdeps found the libraries the programs link.
names=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for library in libc6 libstdc++6 libasound2 libqt6core6 libqt6gui6 libqt6widgets6 libqcustomplot2.1-qt6 zlib1g; do
    grep -qx -- "$library" <<<"$names" || fail "Depends lacks $library"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for file in bin/moravel bin/moravel-process bin/moravel-loopback \
    share/doc/moravel/index.htm share/doc/moravel/manual.css share/doc/moravel/CHANGELOG.md \
    share/doc/moravel/copyright share/doc/moravel/changelog.gz \
    share/applications/org.moravel.Moravel.desktop share/metainfo/org.moravel.Moravel.metainfo.xml \
    share/icons/hicolor/scalable/apps/moravel.svg share/icons/hicolor/48x48/apps/moravel.png \
    share/icons/hicolor/256x256/apps/moravel.png \
    share/man/man1/moravel.1.gz share/man/man1/moravel-process.1.gz share/man/man1/moravel-loopback.1.gz; do
    [ -s "$usr/$file" ] || fail "missing /usr/$file"
done
# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }
for size in 48 256; do
    [ "$(png_size "$usr/share/icons/hicolor/${size}x$size/apps/moravel.png")" = "${size}x$size" ] || fail "$size px icon"
done

grep -q "^License: GPL-3+$" "$usr/share/doc/moravel/copyright" || fail "copyright lacks the GPL-3+ licence"
zcat "$usr/share/doc/moravel/changelog.gz" | head -1 | grep -qF "moravel ($version)" || fail "changelog.gz lacks $version"
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh installs it)"
lint=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lint"
# Its spelling checks (information only) over the texts a user reads in the
# programs, the man pages and the package. Only misspelt words count: pieces
# of code that look like text ("defaulH") have capitals inside.
spelling=$(lintian -I --tags spelling-error-in-binary,spelling-error-in-manpage,spelling-error-in-description,\
spelling-error-in-copyright,spelling-error-in-changelog "$deb" 2>&1 | grep -E ": spelling-error-in-[a-z]+ [a-z]+ ") &&
    fail "misspelt: $spelling"

export QT_QPA_PLATFORM=offscreen
# Captured first: grep -q would end the pipe early and fail it under pipefail.
help=$("$usr/bin/moravel" --help) && grep -q -- "--settings FILE" <<<"$help" || fail "moravel --help"
help=$("$usr/bin/moravel-process" --help) && grep -q "^Usage: moravel-process IN.wav OUT.wav" <<<"$help" ||
    fail "moravel-process --help"
help=$("$usr/bin/moravel-loopback" --help) && grep -q "^Usage: moravel-loopback" <<<"$help" ||
    fail "moravel-loopback --help"
# One version everywhere: the package's and each program's.
[ "$("$usr/bin/moravel" --version)" = "Moravel $version" ] || fail "moravel --version"
[ "$("$usr/bin/moravel-process" --version)" = "moravel-process $version" ] || fail "moravel-process --version"
[ "$("$usr/bin/moravel-loopback" --version)" = "moravel-loopback $version" ] || fail "moravel-loopback --version"
# The metainfo and CHANGELOG.md name the release a build with later changes
# ("3.0.0+git.12.1a2b3c4") comes after.
release=${version%%+*}
grep -q "<release version=\"$release\"" "$usr/share/metainfo/org.moravel.Moravel.metainfo.xml" ||
    fail "metainfo lacks release $release"
grep -q "^## $release" "$usr/share/doc/moravel/CHANGELOG.md" || fail "CHANGELOG.md lacks $release"

desktop-file-validate "$usr/share/applications/org.moravel.Moravel.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.moravel.Moravel.metainfo.xml"
# The man pages name every option the program's --help does, and format
# without warnings (where man is installed: a minimal system has none).
for page in moravel moravel-process moravel-loopback; do
    source="$usr/share/man/man1/$page.1.gz"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$source" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man page $page.1: $warnings"
    fi
    page_text=$(zcat "$source" | sed 's/\\-/-/g')
    for option in $("$usr/bin/$page" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "$option" <<<"$page_text" || fail "man page $page.1 lacks $option"
    done
done

# A first start of the installed window, as the user: the settings go to the
# configuration folder even though this root may write to usr/bin, and the
# program says where. SIGTERM closes the window the normal way, which saves.
home="$work/home"
mkdir -p "$home"
HOME=$home XDG_CONFIG_HOME= "$usr/bin/moravel" --audio virtual 2>"$work/first-start.txt" &
pid=$!
# The window catches SIGTERM once it stands (SigCgt bit 15); before that the
# signal would simply end it.
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) && [ -n "$mask" ] &&
        (((16#$mask >> 14) & 1))
}
for _ in $(seq 600); do catches_term && break; sleep 0.1; done
catches_term || { kill -KILL "$pid" 2>/dev/null; fail "the window did not start: $(cat "$work/first-start.txt")"; }
kill -TERM "$pid"
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "the window did not close on SIGTERM"; }
wait "$pid" || fail "moravel exited with $?: $(cat "$work/first-start.txt")"
settings="$home/.config/moravel/moravel.ini"
grep -qF "moravel: first start; the settings will be kept in $settings" "$work/first-start.txt" ||
    fail "first start note: $(cat "$work/first-start.txt")"
[ -s "$settings" ] || fail "no settings written to $settings"
[ ! -e "$usr/bin/moravel.ini" ] || fail "settings written beside the installed program"
echo "package checked: $(basename "$deb")"
