#!/usr/bin/env bash
# The version a build calls itself (packaging/BuildVersion.cmake), on a small
# project with its own git history:
#   check-build-version.sh SOURCE_DIR WORK_DIR
# the release commit gives the plain version, later commits
# "<version>+git.<commits>.<commit>", a v<version> tag moves the release,
# and a tree outside git gives the plain version.
set -euo pipefail
module="$1/packaging/BuildVersion.cmake"
work=$2
rm -rf "$work"
mkdir -p "$work/tree"
fail() { echo "FAIL: $*" >&2; exit 1; }

tree="$work/tree"
cat >"$tree/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(Moravel VERSION 1.2.3 LANGUAGES NONE)
include($module)
moravel_build_version(version date)
message(STATUS "version=[\${version}] date=[\${date}]")
CMAKE
version_of() {
    rm -rf "$work/build"
    cmake -S "$tree" -B "$work/build" | sed -n 's/^-- version=\[\(.*\)\] date=\[\(.*\)\]$/\1|\2/p'
}
git_in() { git -C "$tree" -c user.name=t -c user.email=t@example.org -c commit.gpgsign=false "$@"; }

[ "$(version_of)" = "1.2.3|" ] || fail "outside git: $(version_of)"
git_in init -q
git_in add CMakeLists.txt
git_in commit -qm "version 1.2.3"
[ "$(version_of)" = "1.2.3|" ] || fail "at the release commit: $(version_of)"
for n in 1 2; do
    echo "$n" >"$tree/file$n"
    git_in add "file$n"
    git_in commit -qm "change $n"
done
head=$(git_in rev-parse --short=7 HEAD)
result=$(version_of)
[ "${result%%|*}" = "1.2.3+git.2.$head" ] || fail "two commits after the release: $result"
[ -n "${result#*|}" ] || fail "no date for an unreleased build: $result"
# Debian must accept it as a version and sort it after the release.
dpkg --validate-version "${result%%|*}" || fail "not a Debian version: ${result%%|*}"
dpkg --compare-versions "${result%%|*}" gt 1.2.3 || fail "${result%%|*} does not sort after 1.2.3"
git_in tag v1.2.3 HEAD~1
[ "$(version_of | cut -d'|' -f1)" = "1.2.3+git.1.$head" ] || fail "one commit after the tag: $(version_of)"
git_in tag -d v1.2.3 >/dev/null
git_in tag v1.2.3 HEAD
[ "$(version_of)" = "1.2.3|" ] || fail "at the tag: $(version_of)"
echo "build version checked"
