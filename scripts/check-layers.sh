#!/usr/bin/env bash
# Fails when an include runs up the floors of the source tree:
#   core → history → indicators, killformulas, selection, purchase → analysis → filters
#   → session → ui, cli
# A file may include its own folder and the folders below it only.
set -euo pipefail
cd "$(dirname "$0")/../src"
rank() {
    case $1 in
    core) echo 0 ;;
    history) echo 1 ;;
    indicators | killformulas | selection | purchase) echo 2 ;;
    analysis) echo 3 ;;
    filters) echo 4 ;;
    session) echo 5 ;;
    ui | cli) echo 6 ;;
    *) echo -1 ;;
    esac
}
bad=0
while IFS= read -r file; do
    folder=${file%%/*}
    own=$(rank "$folder")
    [ "$own" -lt 0 ] && continue
    while IFS= read -r target; do
        other=${target%%/*}
        theirs=$(rank "$other")
        [ "$theirs" -lt 0 ] && continue
        if [ "$theirs" -gt "$own" ] || { [ "$theirs" -eq "$own" ] && [ "$other" != "$folder" ] && [ "$own" -ne 2 ] && [ "$own" -ne 6 ]; }; then
            echo "src/$file includes $target (a higher floor)"
            bad=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)
exit $bad
