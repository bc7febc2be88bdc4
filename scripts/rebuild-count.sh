#!/usr/bin/env bash
# How many translation units of a configured Ninja build include a header (directly or
# not), from the dependency log of the last build:
#   scripts/rebuild-count.sh BUILD_DIR src/purchase/PurchaseState.h ...
set -euo pipefail
build=$1
shift
deps=$(ninja -C "$build" -t deps)
total=$(grep -c '\.o: #deps' <<<"$deps")
for header in "$@"; do
    name=$(realpath --relative-to="$build" "$header")
    count=$(awk -v h="$name" '/\.o: #deps/ {obj=$1} $1==h {print obj}' <<<"$deps" | sort -u | wc -l)
    echo "$header: $count of $total"
done
