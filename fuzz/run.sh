#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each over its seed corpus, taken
# from Content/ (the committed text and what the content build makes) and fuzz/seeds/,
# plus new inputs:
#   fuzz/run.sh              a fixed 400 new inputs per target (what ./test.sh runs)
#   fuzz/run.sh --minutes 10 ten minutes per target, keeping what it finds in build/fuzz/corpus
# A crash stops the run; libFuzzer leaves the input as crash-* in build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=400
minutes=""
if [ "${1:-}" = "--minutes" ]; then
  minutes=$2
fi

build=build/fuzz
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_FUZZ=ON \
    -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target fuzz_targets qv_content_build

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ALSOFT_DRIVERS=null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Content "$work/Content"
"$build/tools/qv_content_build" "$work/Content" >/dev/null
content="$work/Content"

# seeds <target> <file>...: copies the files into the target's seed folder.
seeds() {
  local target=$1
  shift
  mkdir -p "$work/seeds/$target"
  local f
  for f in "$@"; do
    [ -f "$f" ] && cp "$f" "$work/seeds/$target/"
  done
  return 0
}
# Each quoted value of the prefabs as one seed, its first byte choosing the property.
mkdir -p "$work/seeds/PropertyTextFuzz" "$work/seeds/ShapeTextFuzz"
n=0
grep -oh '"[^"]*": "[^"]*"' "$content"/Prefabs/*.json | sed 's/^"[^"]*": "//; s/"$//' | sort -u |
  while IFS= read -r value; do
    n=$((n + 1))
    printf "\\$(printf '%03o' $((n % 255 + 1)))" >"$work/seeds/PropertyTextFuzz/$n"
    printf '%s' "$value" >>"$work/seeds/PropertyTextFuzz/$n"
  done
grep -oh '"Shape": "[^"]*"' "$content"/Prefabs/*.json | sed 's/^"Shape": "//; s/"$//' | sort -u |
  while IFS= read -r value; do
    printf '%s' "$value" >"$work/seeds/ShapeTextFuzz/$(printf '%s' "$value" | md5sum | cut -c1-8)"
  done
seeds PrefabFuzz "$content"/Prefabs/*.json
seeds AtlasFuzz "$content"/Textures/*/*.xml
seeds FontFuzz "$content"/Fonts/*/*.fnt
seeds AnimationFuzz "$content"/Animations/*.anim
seeds KeyMappingsFuzz "$content"/Config/KeyMappings.json
seeds LoopPointsFuzz "$content"/Music/*.json
seeds ImageFuzz "$content"/Fonts/*/*.png "$content"/Cursors/*.ico
seeds SoundFuzz "$content"/Sounds/*/*.wav
mkdir -p "$work/seeds/DisplayIniFuzz"
printf 'Width=1280\nHeight=720\nFullscreen=false\n' >"$work/seeds/DisplayIniFuzz/defaults"
# An empty profile, and one with a best time of 12.5 s and a last level.
mkdir -p "$work/seeds/SaveFileFuzz"
printf 'WanderingPastTheGate!5\0%b' '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' \
  >"$work/seeds/SaveFileFuzz/empty"
printf 'WanderingPastTheGate!5\0%b' '\01\0\0\0Lvl_01\0\0\0\0110\101\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0Lvl_01\0' \
  >"$work/seeds/SaveFileFuzz/one-level"
# Inputs of faults found before, kept in fuzz/seeds/<target> so that every run tries them.
for kept in fuzz/seeds/*/; do
  seeds "$(basename "$kept")" "$kept"*
done

for target in PrefabFuzz PropertyTextFuzz ShapeTextFuzz AtlasFuzz FontFuzz AnimationFuzz KeyMappingsFuzz \
              DisplayIniFuzz LoopPointsFuzz SaveFileFuzz ImageFuzz SoundFuzz; do
  if [ -n "$minutes" ]; then
    corpus="$build/corpus/$target"
    limit=(-max_total_time=$((minutes * 60)))
  else
    corpus="$work/corpus/$target"
    limit=(-runs=$runs)
  fi
  mkdir -p "$corpus"
  echo "fuzz: $target"
  "$build/fuzz/$target" -seed=1 -rss_limit_mb=4096 -timeout=30 -max_len=65536 "${limit[@]}" \
    -artifact_prefix="$build/" "$corpus" "$work/seeds/$target" 2>"$work/$target.log" || {
    tail -n 60 "$work/$target.log"
    echo "fuzz: $target failed; the input is in $build"
    exit 1
  }
  grep -h '^Done' "$work/$target.log" || true
done
echo "fuzz: every target ran clean"
