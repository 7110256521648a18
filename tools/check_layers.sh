#!/usr/bin/env bash
# Fails when a subsystem includes the header of a subsystem above it.
#
#   tools/check_layers.sh [SOURCE_DIR]
#
# The subsystems, lowest first; each may include its own headers and those of
# the subsystems below it. The programs (app/) and the tests may include all.
# A few calls upward go through a narrow interface on purpose; each is listed
# in tools/layer_exceptions.txt as "file header", with the reason above it.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

layers=(foundation model presentations shell moves recognition invariants series research)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

declare -A allowed
if [ -f tools/layer_exceptions.txt ]; then
  while read -r file header; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    allowed["$file $header"]=1
  done < tools/layer_exceptions.txt
fi

failed=0
checked=0
include_line='^([^:]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
for layer in "${layers[@]}"; do
  [ -d "$layer" ] || continue
  checked=$((checked + $(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) | wc -l)))
  while IFS= read -r line; do
    [[ "$line" =~ $include_line ]] || continue
    file=${BASH_REMATCH[1]}
    header=${BASH_REMATCH[2]}
    top=${header%%/*}
    [ -n "${rank[$top]+set}" ] || continue
    if [ "${rank[$top]}" -gt "${rank[$layer]}" ] && [ -z "${allowed["$file $header"]+set}" ]; then
      echo "$file includes $header: $layer must not depend on $top" >&2
      failed=1
    fi
  done < <(grep -rHE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$layer" || true)
done

if [ "$failed" -ne 0 ]; then
  echo "layering: a lower subsystem includes a higher one's header (order: ${layers[*]})" >&2
  exit 1
fi
echo "layering: $checked files, every include points down"
