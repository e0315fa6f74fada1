#!/usr/bin/env bash
# Converts the bundled example scenery and prints the path of the document.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/demo
mkdir -p "$out"
build/native/ferry-convert --buildings --exclusions --airport --output-dir "$out" examples/KJFK.sca
echo "$(pwd)/$out/KJFK.xml"
