#!/usr/bin/env bash
# The generated level file passes the level tool's check.
set -euo pipefail
out="$("$LUMEN_BIN_DIR/lumendrift-level" check "$LUMEN_DATA_DIR/foo3.lvl")"
echo "$out"
[[ "$out" =~ ^ok:\ ([0-9]+)\ levels$ ]] || { echo "unexpected output" >&2; exit 1; }
(( BASH_REMATCH[1] >= 6 )) || { echo "fewer than six levels" >&2; exit 1; }
