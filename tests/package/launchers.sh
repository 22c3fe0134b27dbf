#!/usr/bin/env bash
# The launchers in PREFIX/games as installed, over stand-in programs that print their working
# folder and arguments: started through a symlink they still find the data folder; an incomplete
# install, no place for the user's levels, or a copy of the levels that cannot be made stops them
# with one line on standard error and status 1; the editor's first start copies the shipped levels
# to $XDG_DATA_HOME/lumendrift (or ~/.local/share, also when XDG_DATA_HOME is relative).
set -euo pipefail
# shellcheck source=tests/e2e/e2e.bash
source "${LUMEN_SOURCE_DIR:?}/tests/e2e/e2e.bash"
e2e_begin launchers
prefix="$scratch/usr" data="$scratch/usr/share/games/lumendrift"
mkdir -p "$prefix/games" "$prefix/lib/games/lumendrift" "$data" "$scratch/bin" "$scratch/home"
for program in lumendrift lumendrift-editor; do
  cp "$LUMEN_SOURCE_DIR/packaging/$program" "$prefix/games/"
  # shellcheck disable=SC2016 # expanded by the stand-in when it runs
  printf '#!/bin/sh\necho "$PWD:$*"\n' >"$prefix/lib/games/lumendrift/$program"
  chmod +x "$prefix/games/$program" "$prefix/lib/games/lumendrift/$program"
  ln -s "$prefix/games/$program" "$scratch/bin/$program"
done
echo "shipped levels" >"$data/foo3.lvl"
touch "$scratch/not-a-folder"
cd "$scratch"

# ENVIRONMENT|PROGRAM ARGUMENTS|STATUS|OUTPUT (the one line on stdout, or a part of the one on stderr)
while IFS='|' read -r environment command expected want; do
  # shellcheck disable=SC2086
  run env -u XDG_DATA_HOME HOME="$scratch/home" $environment $command
  [ "$status" -eq "$expected" ] || fail "$environment $command: status $status: $out $err"
  if [ "$expected" -eq 0 ]; then
    [ "$out" = "$want" ] && [ -z "$err" ] || fail "$environment $command said: $out $err"
  else
    [ -z "$out" ] && [[ "$err" == *"$want"* ]] && [ "$err" = "${err%%$'\n'*}" ] ||
      fail "$environment $command: not one line naming $want: $out $err"
  fi
done <<TABLE
|bin/lumendrift|0|$data:
|bin/lumendrift-editor a.lvl|0|$data:$scratch/a.lvl
|bin/lumendrift-editor --script s|0|$data:--script $scratch/s $scratch/home/.local/share/lumendrift/foo3.lvl
XDG_DATA_HOME=$scratch/xdg|bin/lumendrift-editor|0|$data:$scratch/xdg/lumendrift/foo3.lvl
XDG_DATA_HOME=relative|bin/lumendrift-editor|0|$data:$scratch/home/.local/share/lumendrift/foo3.lvl
HOME=|bin/lumendrift-editor|1|XDG_DATA_HOME
XDG_DATA_HOME=$scratch/not-a-folder|bin/lumendrift-editor|1|$scratch/not-a-folder/lumendrift/foo3.lvl
TABLE
cmp -s "$data/foo3.lvl" "$scratch/xdg/lumendrift/foo3.lvl" || fail "the user's copy differs"
[ ! -e relative ] && [ "$(ls "$scratch/home/.local/share/lumendrift")" = foo3.lvl ] ||
  fail "copies left beside the user's levels: $(ls "$scratch/home/.local/share/lumendrift")"

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
