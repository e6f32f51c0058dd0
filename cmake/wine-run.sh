#!/usr/bin/env bash
# Runs a Windows test program under Wine in the build's private prefix.
set -euo pipefail
: "${WINEPREFIX:=${VESPERMARK_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
