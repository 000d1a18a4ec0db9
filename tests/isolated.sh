#!/bin/sh
# Runs a test program with a fresh HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR, headless.
set -u
top=$(mktemp -d "${TMPDIR:-/tmp}/palmtop-test.XXXXXX") || exit 1
mkdir -p "$top/home" "$top/config" "$top/run"
chmod 700 "$top/run"
HOME="$top/home" XDG_CONFIG_HOME="$top/config" XDG_RUNTIME_DIR="$top/run" \
  QT_QPA_PLATFORM=offscreen "$@"
status=$?
rm -rf "$top"
exit $status
