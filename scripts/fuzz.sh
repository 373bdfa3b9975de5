#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer
# and libFuzzer), makes a seed corpus from a fresh product instance and runs each
# target for a bounded time. Any crash, sanitizer report or leak fails the run.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default: 60)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
dir=build-fuzz
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARNELLO_SANITIZE=address -DTARNELLO_BUILD_FUZZERS=ON -DTARNELLO_BUILD_BENCHMARKS=OFF >/dev/null
# Every target, not only the fuzzers: this is the one clang sanitizer build, and a
# bundle or program that links under gcc must link here too.
cmake --build "$dir" -j"$jobs"

work="$dir/fuzz-run"
rm -rf "$work"
mkdir -p "$work/seeds/elck" "$work/seeds/juce" "$work/corpus/elck" "$work/corpus/juce" "$work/artifacts"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$XDG_CONFIG_HOME"

fuzzer_of() { find "$dir" -type f -name "$1" -perm -u+x | head -n 1; }
"$(fuzzer_of tarnello_fuzz_seeds)" "$work/seeds/elck" "$work/seeds/juce"

# ".dovi" seeds: a 2 x 1 image with alpha and a 1 x 2 one without.
mkdir -p "$work/seeds/dovi" "$work/corpus/dovi"
printf '\x02\0\0\0\x01\0\0\0\x01\0\0\0\x10\x20\x30\x40\x00\x00\x80\x80' > "$work/seeds/dovi/alpha.dovi"
printf '\x01\0\0\0\x02\0\0\0\0\0\0\0\xff\x00\x00\x00\xff\x00' > "$work/seeds/dovi/opaque.dovi"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for target in elck juce; do
  echo "=== fuzz_${target}_chunk for ${seconds} s ==="
  "$(fuzzer_of "fuzz_${target}_chunk")" "$work/corpus/$target" "$work/seeds/$target" \
    -max_total_time="$seconds" -timeout=10 -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/${target}-"
done

echo "=== fuzz_dovi_image for ${seconds} s ==="
"$(fuzzer_of fuzz_dovi_image)" "$work/corpus/dovi" "$work/seeds/dovi" \
  -max_total_time="$seconds" -timeout=10 -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/dovi-"
# Layout seeds: the delay panel's own document and a small one of every element.
mkdir -p "$work/seeds/layout" "$work/corpus/layout"
cp resources/layouts/*.xml "$work/seeds/layout/"
cat > "$work/seeds/layout/small.xml" <<'XML'
<layout background="ff101010"><prop name="p" frames="65" speed="2"/>
<control type="iKnob" param="Mix" prop="p" image="panels/knob.dovi" x="4" y="4" label="-1, 2, 40, 14" snap="0, 50, 100"/>
<control type="knob" param="Tone" bounds="60, 4, 40, 40" label="-1, 2, 40, 14" style="verticalBar"/>
<control type="iSwitch" param="Drive" image="panels/switch.dovi" x="110" y="4"/>
<control type="iContact" param="Delay Sync" image="panels/button.dovi" x="150" y="4" limited="0"/>
<control type="menu" param="Time Note" bounds="190, 4, 60, 20"/>
<control type="switch" param="Low Cut" bounds="260, 4, 30, 14"/>
<label param="Time" bounds="300, 4, 60, 14" rotate="45"/><caption text="T" bounds="300, 20, 60, 14"/>
<shape type="rect" bounds="0, 60, 100, 20" gradient="h, ff000000, ffffffff" border="1" cornerSize="4"/>
<image image="panels/meter.dovi" frames="33" meter="yes" x="400" y="4"/>
<image image="panels/meter.dovi" frames="33" param="Output" setFrame="3" x="420" y="4"/>
<panel param="Drive" bounds="500, 4, 100, 100"><control type="iKnob" param="Feedback" x="2" y="2"/></panel>
</layout>
XML

echo "=== fuzz_layout_builder for ${seconds} s ==="
"$(fuzzer_of fuzz_layout_builder)" "$work/corpus/layout" "$work/seeds/layout" \
  -max_total_time="$seconds" -timeout=10 -max_len=65536 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/layout-"
echo "fuzzing found nothing"
