#!/usr/bin/env bash
# Builds the project and renders the built-in demo phrase through the plug-in.
# Usage: scripts/demo.sh [OUT.wav]   (default: build/demo.wav)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

out=${1:-build/demo.wav}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tarnello-host tarnello_bundle
./build/host/tarnello-host render --out "$out"
echo "Rendered the demo phrase to $(realpath "$out")"
