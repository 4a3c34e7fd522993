#!/usr/bin/env bash
# Checks that each folder of src/ includes only its own headers and those of
# the layers below it:
#   common, ports <- data <- sim <- input, sound, view, report <- cab <- run
#   <- platform, headless, remote <- app
# Folders named in TOVRA_LAYERS_PENDING (none by default: for a folder being narrowed) are
# reported but do not fail the check.
set -euo pipefail
cd "$(dirname "$0")/../src"
pending=${TOVRA_LAYERS_PENDING-}

rank() {
    case $1 in
        common | ports) echo 0 ;;
        data) echo 1 ;;
        sim) echo 2 ;;
        input | sound | view | report) echo 3 ;;
        cab) echo 4 ;;
        run) echo 5 ;;
        platform | headless | remote) echo 6 ;;
        app) echo 7 ;;
        *) echo unknown ;;
    esac
}

failed=0
for folder in */; do
    folder=${folder%/}
    own=$(rank "$folder")
    [ "$own" = unknown ] && { echo "check-layers: src/$folder has no layer" >&2; failed=1; continue; }
    upward=0
    while IFS=: read -r file _ include; do
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
        [ "$target" = "$folder" ] && continue
        other=$(rank "$target")
        [ "$other" = unknown ] && continue
        if [ "$other" -ge "$own" ]; then
            upward=$((upward + 1))
            case " $pending " in
                *" $folder "*) ;;
                *) echo "check-layers: $file includes $target/ from a layer not below it" >&2 ;;
            esac
        fi
    done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include "[^/"]+/' "$folder" || true)
    if [ "$upward" -gt 0 ]; then
        case " $pending " in
            *" $folder "*) echo "check-layers: src/$folder: $upward includes of its own layer or above (pending)" ;;
            *) failed=1 ;;
        esac
    fi
done
[ "$failed" -eq 0 ] && echo "check-layers: every folder outside the pending ones includes only the layers below it"
exit "$failed"
