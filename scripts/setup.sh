#!/bin/sh
# Installs what building, running and testing need on Debian 12, when missing.
set -eu
packages="cmake g++ make qt6-base-dev qt6-5compat-dev qt6-l10n-tools qt6-tools-dev-tools \
  libgl-dev adwaita-icon-theme fonts-noto-cjk xvfb xdotool x11-apps imagemagick file"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
