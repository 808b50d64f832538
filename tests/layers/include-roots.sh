#!/usr/bin/env bash
# Checks that a layer's sources see the headers of the layers below it and of no layer above: one
# header of every layer is preprocessed as the layer's own sources are (its include directories), and
# must be found exactly when the layer may use that layer.
#   include-roots.sh COMPILER SOURCE_DIR "INCLUDE_DIRS" "ALL_LAYERS" "VISIBLE_LAYERS"
# (the lists separated by ';', as CMake writes them)
set -euo pipefail
compiler=$1 source=$2
IFS=';' read -r -a dirs <<<"$3"
IFS=';' read -r -a layers <<<"$4"
IFS=';' read -r -a visible <<<"$5"

flags=()
for dir in "${dirs[@]}"; do [ -n "$dir" ] && flags+=(-I "$dir"); done

failed=0
for layer in "${layers[@]}"; do
    header=$(cd "$source" && ls "$layer"/*.h | head -n 1)
    expected=hidden
    for v in "${visible[@]}"; do [ "$v" = "$layer" ] && expected=seen; done
    if printf '#include "%s"\n' "$header" | "$compiler" -std=c++20 -E -x c++ "${flags[@]}" - >/dev/null 2>&1; then
        got=seen
    else
        got=hidden
    fi
    echo "$header: $got"
    if [ "$got" != "$expected" ]; then
        echo "  expected $expected" >&2
        failed=1
    fi
done
exit "$failed"
