#!/usr/bin/env bash
# Lists the include arrows between the generator's floors (docs/layers.md): for each source of
# src/host, form, entity, visualizers and controls, the headers of another of these folders it
# includes, marked "up" when it reaches a higher floor. The form's building blocks (its door
# for generators, events, fragments, layout groups, names) sit below every floor that uses
# them, so arrows to them count as down. Usage: scripts/include_arrows.sh [--up] [--pairs]
set -euo pipefail
cd "$(dirname "$0")/.."
floors=(host form entity visualizers controls)
building_blocks=" form/form_context.h form/ctrl_handle.h form/event_desc.h form/vb_fragment.h form/code_text.h \
form/ctrl_group.h form/ctrl_pos_item.h form/vb_name_maker.h form/form_text.h "
floor_of() {
  local index
  for index in "${!floors[@]}"; do [[ ${floors[$index]} == "$1" ]] && echo "$index" && return; done
  echo -1
}
arrows() {
  local folder file header
  for folder in "${floors[@]}"; do
    for file in src/"$folder"/*.h src/"$folder"/*.cpp; do
      { grep -oE '^#include "[a-z_]+/[a-z_0-9]+\.h"' "$file" || true; } | cut -d'"' -f2 | while read -r header; do
        local target=${header%%/*} from to direction=down
        [[ $target == "$folder" ]] && continue
        to=$(floor_of "$target")
        ((to < 0)) && continue
        from=$(floor_of "$folder")
        if ((to < from)) && [[ $building_blocks != *" $header "* ]]; then direction=up; fi
        echo "$direction $folder -> $target $file $header"
      done
    done
  done
}
case "${1:-}" in
  --up) arrows | grep '^up ' ;;
  --pairs) arrows | awk '{print $1, $2, $3, $4}' | sort | uniq -c ;;
  *) arrows ;;
esac
