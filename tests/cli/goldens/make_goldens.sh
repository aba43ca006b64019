#!/bin/sh
# Writes the CLI goldens from manifest.txt with the given quillmere-cli (default: the release build).
# Only for a deliberate change of the output: the goldens guard every other change byte for byte.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=${1:-$here/../../../build/release/cli/quillmere-cli}
grep -v '^#' "$here/manifest.txt" | while read -r name code options; do
    for format in table:txt json:json csv:csv; do
        set +e
        # shellcheck disable=SC2086
        env -u QUILLMERE_LANG "$cli" $options --format "${format%%:*}" >"$here/$name.${format#*:}" 2>/dev/null
        got=$?
        set -e
        [ "$got" = "$code" ] || { echo "$name: exit $got, manifest says $code" >&2; exit 1; }
    done
    # shellcheck disable=SC2086
    env -u QUILLMERE_LANG "$cli" $options --save-design "$here/$name.qmd" >/dev/null 2>&1 || true
done
