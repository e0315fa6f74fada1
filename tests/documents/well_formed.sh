#!/usr/bin/env bash
# The documents Ferry writes are well-formed XML: the bundled example's, and
# that of a generated scenery with every pass on.
# usage: well_formed.sh FERRY_CONVERT GENERATOR SOURCE_DIR
set -euo pipefail
convert=$1 generate=$2 source_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$convert" -bea -o "$work" "$source_dir/examples/KJFK.sca"
xmllint --noout "$work/KJFK.xml"

"$generate" "$work" LOWI 2 >/dev/null
"$convert" -bea -o "$work" "$work/LOWI.sca"
# XML cannot carry most control characters; the generator writes none.
if LC_ALL=C grep -q -P '[\x01-\x08\x0b\x0c\x0e-\x1f]' "$work/LOWI.xml"; then
  echo "the generated scenery holds control characters" >&2
  exit 1
fi
xmllint --noout "$work/LOWI.xml"
echo "well-formed: the example and a generated scenery"
