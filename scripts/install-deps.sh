#!/usr/bin/env bash
# Installs, from Debian's packages, whatever of the build and test tools is missing.
# Does nothing (and needs no network) when everything is already there.
set -euo pipefail

# qt6-svg-dev renders the application icon's fixed sizes at build time; the icon theme and the
# desktop's validators after it check what `make install` writes.
packages=(g++ make cmake qt6-base-dev qt6-svg-dev libgl-dev libbenchmark-dev libpng-dev zlib1g-dev
  libsimdjson-dev
  hicolor-icon-theme desktop-file-utils appstream libxml2-utils shared-mime-info groff-base
  "$@") # and any named on the command line (make fuzz names clang's)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
