#!/usr/bin/env bash
# Checks the layout of src/: every include points to the same folder or to
# a folder on a lower floor, and no folder holds more than 30 sources.
# Prints each breach and exits non-zero when there is one.
set -uo pipefail
cd "$(dirname "$0")/../src"

# Lowest first. A folder may include only its own and the ones before it.
FLOORS=(
  base base/codecs persist
  ui/system ui/graphics ui
  panel picker
  skin/data skin/pixels skin/controls skin/menu tray skin/frame/layout skin/frame
  label app
)

declare -A floor_of
for i in "${!FLOORS[@]}"; do floor_of[${FLOORS[$i]}]=$i; done

breaches=0
for folder in $(find . -type f \( -name '*.h' -o -name '*.cpp' \) -printf '%h\n' | sed 's#^\./##' | sort -u); do
  if [ -z "${floor_of[$folder]+x}" ]; then
    echo "src/$folder: on no floor; add it to $0"
    breaches=$((breaches + 1))
    continue
  fi
  count=$(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) | wc -l)
  if [ "$count" -gt 30 ]; then
    echo "src/$folder: $count sources, more than 30"
    breaches=$((breaches + 1))
  fi
done

while IFS=: read -r file included; do
  from=$(dirname "${file#./}")
  to=$(dirname "$included")
  [ -f "$included" ] || continue  # a system or generated header
  [ -n "${floor_of[$to]+x}" ] && [ -n "${floor_of[$from]+x}" ] || continue  # reported above
  if [ "${floor_of[$to]}" -gt "${floor_of[$from]}" ]; then
    echo "src/${file#./} includes $included, a floor above src/$from"
    breaches=$((breaches + 1))
  fi
done < <(grep -rHoE '^#include "[^"]+"' --include='*.h' --include='*.cpp' . | sed -E 's/:#include "(.*)"$/:\1/')

[ "$breaches" -eq 0 ] && echo "floors: every include points down, no folder over 30 sources"
[ "$breaches" -eq 0 ]
