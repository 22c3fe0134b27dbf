#!/usr/bin/env bash
# The launchers in PREFIX/games as installed, over stand-in programs that print their working
# folder and arguments: started through a symlink they still find the data folder, the editor's
# file names are made absolute from the starting folder, and an incomplete install stops them with
# one line on standard error and status 1. (The user's copy of the levels is the editor's own.)
set -euo pipefail
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin launchers
prefix="$scratch/usr" data="$scratch/usr/share/games/lumendrift"
mkdir -p "$prefix/games" "$prefix/lib/games/lumendrift" "$data" "$scratch/bin"
for program in lumendrift lumendrift-editor; do
  cp "$LUMEN_SOURCE_DIR/packaging/$program" "$prefix/games/"
  # shellcheck disable=SC2016 # expanded by the stand-in when it runs
  printf '#!/bin/sh\necho "$PWD:$*"\n' >"$prefix/lib/games/lumendrift/$program"
  chmod +x "$prefix/games/$program" "$prefix/lib/games/lumendrift/$program"
  ln -s "$prefix/games/$program" "$scratch/bin/$program"
done
echo "shipped levels" >"$data/foo3.lvl"
cd "$scratch"

# PROGRAM ARGUMENTS|what the stand-in prints: its working folder and arguments
while IFS='|' read -r command want; do
  # shellcheck disable=SC2086
  run $command
  [ "$status" -eq 0 ] && [ "$out" = "$want" ] && [ -z "$err" ] || fail "$command: status $status: $out $err"
done <<TABLE
bin/lumendrift|$data:
bin/lumendrift-editor a.lvl|$data:$scratch/a.lvl
bin/lumendrift-editor --script s|$data:--script $scratch/s
TABLE
for program in lumendrift lumendrift-editor; do # incomplete: the program or the levels missing
  for missing in "lib/games/lumendrift/$program" share/games/lumendrift/foo3.lvl; do
    mv "$prefix/$missing" "$scratch/kept"
    run "bin/$program"
    mv "$scratch/kept" "$prefix/$missing"
    [ "$status" -eq 1 ] && [ -z "$out" ] && [[ "$err" == *"$prefix/$missing"* ]] ||
      fail "$program without $missing: status $status: $out $err"
  done
done
echo "launchers: ok"
