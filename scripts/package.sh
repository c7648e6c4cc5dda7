#!/usr/bin/env bash
# Builds everything and makes the Debian package of the editor and pagetool in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
rm -f build/*.deb
(cd build && cpack -G DEB >/dev/null)
ls build/*.deb
