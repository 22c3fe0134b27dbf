#!/usr/bin/env bash
# The level tool as a designer runs it: check and info on a real file, dump then build gives the
# same bytes, render writes a picture, and bad input gets one line and status 1 (2 for bad use)
# and leaves the target file alone.
set -euo pipefail
tool="${LUMEN_BIN_DIR:?}/lumendrift-level"
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin level_tool
real="${LUMEN_DATA_DIR:?}/foo3.lvl"
require_built "$tool" "$real"
[[ "$("$tool" check "$real")" =~ ^ok:\ ([0-9]+)\ levels$ ]] && [ "${BASH_REMATCH[1]}" -ge 6 ] ||
  fail "check: $("$tool" check "$real")"
"$tool" info "$real" | grep -q "^level 0: columns 26 rows 20 rimCount 88 nodes (0, 0) to (1000, 760)" ||
  fail "info: $("$tool" info "$real" | head -n 1)"
"$tool" dump "$real" >"$scratch/levels.json"
"$tool" build "$scratch/levels.json" "$scratch/rebuilt.lvl" >/dev/null
cmp "$real" "$scratch/rebuilt.lvl" || fail "dump then build changed the bytes"
"$tool" render "$real" 2 "$scratch/level.bmp" >/dev/null
[ "$(head -c 2 "$scratch/level.bmp")" = BM ] || fail "render wrote no bitmap"
printf '\5\0\0\0garbage' >"$scratch/junk.lvl"
printf '{"levels": [{"columns": 2, "rows": 5}]}' >"$scratch/bad.json"
printf '{"levels": [' >"$scratch/broken.json"
printf 'old' >"$scratch/keep.lvl"
while IFS='|' read -r arguments mention; do
  # shellcheck disable=SC2086
  run "$tool" $arguments
  out="$out$err"
  [ "$status" -eq 1 ] && [[ "$out" == *"$mention"* ]] && [ "$out" = "${out%%$'\n'*}" ] ||
    fail "$arguments: status $status, said: $out"
done <<TABLE
check $scratch/absent.lvl|cannot open
check $scratch/junk.lvl|junk.lvl
build $scratch/bad.json $scratch/keep.lvl|level 0
build $scratch/broken.json $scratch/keep.lvl|not valid JSON
render $real 99 $scratch/x.bmp|99
TABLE
[ "$(cat "$scratch/keep.lvl")" = old ] || fail "a failed build changed the target"
for arguments in "" "frobnicate x"; do
  # shellcheck disable=SC2086
  run "$tool" $arguments
  [ "$status" -eq 2 ] || fail "'$arguments': status $status"
done
echo "level_tool: ok"
