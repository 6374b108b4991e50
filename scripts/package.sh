#!/usr/bin/env bash
# Builds the Debian package of Moravel from this tree:
#   scripts/package.sh [BUILD_DIR]        (default: build-package)
# Installs what is missing, makes a Release build of the three programs
# (no tests, no benchmarks) and packs it with CPack's DEB generator, which
# takes the files from the install rules (packaging/CMakeLists.txt) and the
# shared-library dependencies from dpkg-shlibdeps. Prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DMORAVEL_TESTS=OFF -DMORAVEL_BENCHMARKS=OFF
(cd "$dir" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$dir/CPackConfig.cmake")
deb=$(ls "$dir"/moravel_"$version"_*.deb)
dpkg-deb --info "$deb" | sed -n 's/^ \(Version\|Depends\|Recommends\):/\1:/p'
echo "$deb"
