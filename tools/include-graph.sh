#!/usr/bin/env bash
# Prints which src folders include which, one edge a line with the number of
# includes behind it, then the folders from the bottom layer to the top, and
# fails naming a loop if the folders include each other in a circle.
# Usage: tools/include-graph.sh [--ui]
# (--ui tells each area's ui/ folder apart from its core.)
set -euo pipefail
cd "$(dirname "$0")/.."
split_ui=false
[ "${1:-}" = "--ui" ] && split_ui=true
folder() { # src/editing/ui/X.cpp -> editing, or editing/ui with --ui
    local rest=${1#src/}
    local area=${rest%%/*}
    rest=${rest#"$area"/}
    if $split_ui && [ "${rest%%/*}" = ui ] && [ "$rest" != ui ]; then echo "$area/ui"; else echo "$area"; fi
}
edges=$(grep -rHo '^#include "[^"]*"' src --include='*.cpp' --include='*.h' | while IFS=: read -r file inc; do
    target=${inc#\#include \"}
    target=${target%\"}
    [ -f "src/$target" ] || continue
    from=$(folder "$file")
    to=$(folder "src/$target")
    [ "$from" = "$to" ] || echo "$from $to"
done | sort | uniq -c)
echo "$edges" | awk '{printf "%s -> %s (%s)\n", $2, $3, $1}'
if ! order=$(echo "$edges" | awk '$2 != "main.cpp" {print $2, $3}' | tsort 2> /tmp/include-graph.$$); then
    sed 's/^tsort: /loop: /' /tmp/include-graph.$$
    rm -f /tmp/include-graph.$$
    exit 1
fi
rm -f /tmp/include-graph.$$
echo "no include cycles between folders; from the bottom up:"
echo "$order" | tac | paste -sd' ' - | sed 's/^/  /'
