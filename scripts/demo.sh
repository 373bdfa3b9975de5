#!/usr/bin/env bash
# Builds the project, renders the built-in demo phrase through the plug-in and
# takes a picture of the plug-in's editor, both through the bundle loaded by
# the stand-in host. The picture needs an X display; without one it is taken
# on a virtual one (Xvfb).
# Usage: scripts/demo.sh [OUT.wav [EDITOR.png]]   (default: build/demo.wav, build/editor.png)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

out=${1:-build/demo.wav}
picture=${2:-build/editor.png}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tarnello-host tarnello_bundle tarnello_manual
./build/host/tarnello-host render --out "$out"
echo "Rendered the demo phrase to $(realpath "$out")"

editor=(./build/host/tarnello-host editor --png "$picture")
if [ -n "${DISPLAY:-}" ] && "${editor[@]}" >/dev/null 2>&1; then
  :
else
  xvfb-run -a -s "-screen 0 1920x1080x24" "${editor[@]}" >/dev/null
fi
echo "Took the editor's picture: $(realpath "$picture")"
