#!/usr/bin/env bash
# Runs a Windows program under Lumora's Wine prefix; ctest uses it as the
# emulator for the cross-built test binaries.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
lumora_wine_prefix || exit 1
exec wine "$@"
