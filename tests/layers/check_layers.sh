#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header of a layer above its own. Each
# folder under src/ is one layer; the list says which layers' headers it may
# include (its own always).
set -eu
src=${1:?usage: check_layers.sh <src folder>}

allowed() {
  case $1 in
    eval) echo "eval" ;;
    files) echo "files eval" ;;
    core) echo "core files eval" ;;
    platform) echo "platform" ;;
    gui) echo "gui core files eval platform" ;;
    numra-eval) echo "core files eval platform" ;;
    *) echo "unknown layer: $1" >&2; exit 2 ;;
  esac
}

status=0
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  ok=$(allowed "$layer")
  # Every quoted include that names a folder: "layer/header.h".
  grep -rnoE '^#include "[a-z-]+/[^"]+"' "$dir" --include='*.h' --include='*.cpp' |
    while IFS= read -r hit; do
      target=$(printf '%s\n' "$hit" | sed -E 's/.*#include "([a-z-]+)\/.*/\1/')
      case " $ok " in
        *" $target "*) ;;
        *) echo "upward include in layer $layer: $hit"; echo x >>"${TMPDIR:-/tmp}/numra-layers.$$" ;;
      esac
    done
done
if [ -e "${TMPDIR:-/tmp}/numra-layers.$$" ]; then
  rm -f "${TMPDIR:-/tmp}/numra-layers.$$"
  status=1
fi
exit $status
