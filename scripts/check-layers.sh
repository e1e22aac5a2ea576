#!/usr/bin/env bash
# Fails on an include that points up the layers or sideways between the two
# modes: app -> viewer, browser, print -> ui -> shell -> platform -> core.
# res/ holds only ids and is open to all. Prints each offending include.
set -uo pipefail
cd "$(dirname "$0")/.."
rank() {
    case $1 in
    app) echo 6 ;; viewer | browser | print) echo 5 ;; ui) echo 4 ;; shell) echo 3 ;; platform) echo 2 ;;
    core) echo 1 ;; res) echo 0 ;; *) echo -1 ;;
    esac
}
bad=0
for f in $(git ls-files 'app/*' 'viewer/*' 'browser/*' 'print/*' 'ui/*' 'shell/*' 'platform/*' 'core/*' | grep -E '\.(cpp|h)$'); do
    from=${f%%/*}
    while read -r inc; do
        to=${inc%%/*}
        r_from=$(rank "$from") r_to=$(rank "$to")
        [ "$r_to" -lt 0 ] && continue
        if [ "$to" != "$from" ] && [ "$r_to" -ge "$r_from" ]; then
            echo "$f includes $inc"
            bad=$((bad + 1))
        fi
    done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)".*/\1/p' "$f")
done
[ $bad = 0 ] && echo "layers: every include points down" || echo "layers: $bad includes point up or sideways"
[ $bad = 0 ]
