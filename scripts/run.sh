#!/bin/sh
# Sets up, builds and starts one of the programs from the build tree:
#   scripts/run.sh velino FILE [LINE] | korvex | mervo
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
program="${1:?usage: scripts/run.sh velino FILE | korvex | mervo}"
shift
exec "$here/../build/bin/$program" "$@"
