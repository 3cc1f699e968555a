#!/usr/bin/env bash
# Refreshes the desktop's caches under an install prefix after Vellicor was installed there or
# removed from there, with whichever of the tools this machine has. A missing tool only means
# the desktop notices the change a little later, so it is never an error.
set -u
prefix=${1:?usage: refresh-desktop-caches.sh PREFIX}
share="$prefix/share"

if command -v update-mime-database >/dev/null && [ -d "$share/mime/packages" ]; then
  update-mime-database "$share/mime" || true
fi
if command -v update-desktop-database >/dev/null && [ -d "$share/applications" ]; then
  update-desktop-database -q "$share/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -f "$share/icons/hicolor/index.theme" ]; then
  gtk-update-icon-cache -q -t "$share/icons/hicolor" || true
fi
exit 0
