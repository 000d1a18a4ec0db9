#!/bin/sh
# Sets up, builds and runs every test, headless.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
cd "$here/../build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j2
