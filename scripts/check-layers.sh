#!/usr/bin/env bash
# Checks that every #include "folder/..." in src/ and sim/ points at the folder's own layer or a
# layer below it:  platform <- text <- config <- maps <- ecu <- app <- {cli, ui};  sim sits on
# config and never uses the program's S-record codec. Prints each offending include and exits 1
# when there is one.
# Usage: scripts/check-layers.sh [ROOT]   (ROOT defaults to the repository of this script)
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# What each folder may include, besides itself.
declare -A allowed=(
    [platform]=""
    [text]="platform"
    [config]="platform text"
    [maps]="platform text config"
    [ecu]="platform text config maps"
    [app]="platform text config maps ecu"
    [cli]="platform text config maps ecu app"
    [ui]="platform text config maps ecu app"
    [sim]="platform text config"
)

status=0
for folder in "${!allowed[@]}"; do
    dir="$root/src/$folder"
    [ "$folder" = sim ] && dir="$root/sim"
    [ -d "$dir" ] || continue
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        target=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([a-z]+)\/.*/\1/' <<<"$rest")
        [ "$target" = "$folder" ] && continue
        case " ${allowed[$folder]} " in
            *" $target "*) ;;
            *)
                echo "${file#"$root"/}:$line: $folder includes $target (upward or sideways)"
                status=1
                ;;
        esac
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$dir" \
                 --include='*.h' --include='*.cpp' || true)
done
# ecusim keeps its own S-record codec, so that a fault in the program's codec cannot hide
# behind the same fault on the device's side of an end-to-end test.
while IFS= read -r hit; do
    echo "${hit#"$root"/}: sim uses the program's S-record codec"
    status=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"config/srecords\.h"' \
             "$root/sim" --include='*.h' --include='*.cpp' 2>/dev/null || true)
[ "$status" -eq 0 ] && echo "Layers: every include points down."
exit "$status"
