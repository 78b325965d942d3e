#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a set time,
# starting from its seeds in tests/fuzz/corpus/. Exits non-zero when any target
# finds a crash, a leak, undefined behaviour, a time-out or a memory blow-up;
# the input that did it is kept in build-fuzz/findings/<target>/.
#
#   scripts/fuzz.sh                      every target for 10 minutes
#   scripts/fuzz.sh --seconds 5          every target briefly (scripts/test.sh does this)
#   scripts/fuzz.sh --jobs 2 fuzz_image  targets side by side, or only some
#   scripts/fuzz.sh --build-only
#   scripts/fuzz.sh --coverage           then the lines of each reader its corpus reaches
#
# What each run found (inputs that reach new code) stays in
# build-fuzz/corpus/<target>/ and is the starting point of the next run; the
# seeds in the repository are never written.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
seconds=600
jobs=1
build_only=0
coverage=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --build-only) build_only=1; shift ;;
    --coverage) coverage=1; shift ;;
    -h|--help) sed -n '2,18p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_configuration fuzz_crawler_routes fuzz_player_route fuzz_records fuzz_model_import fuzz_image
    fuzz_text_layout fuzz_glyphs)
fi

cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"
[ "$build_only" -eq 1 ] && exit 0

# Leaks are findings too; a slow input (10 s for one file) or more than 2 GB
# is a hang or a memory blow-up of the game.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:${UBSAN_OPTIONS:-}"
# Leaks inside libraries that are known, reported and harmless to the game.
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan-suppressions.txt:print_suppressions=0:${LSAN_OPTIONS:-}"

run_target() {
  local target="$1"
  local corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$build/logs"
  # Text files up to 16 KB, images up to 64 KB, at full length from the start:
  # the slow targets (a level built and played, a model imported) run too few
  # inputs for libFuzzer's gradual lengthening to reach whole files.
  local longest=16384
  [ "$target" = fuzz_image ] && longest=65536
  "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$longest" \
    -len_control=0 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1
}

summary() {
  local target="$1" status="$2" log="$build/logs/$1.log"
  local line runs cov ft units
  line="$(grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -1 || true)"
  runs="$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')"
  cov="$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$line")"
  ft="$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$line")"
  units="$(sed -nE 's/.* corp: ([0-9]+)\/.*/\1/p' <<<"$line")"
  printf '%-22s %-8s runs %-10s edges %-6s features %-7s corpus %s\n' "$target" "$status" "$runs" \
    "${cov:-?}" "${ft:-?}" "${units:-?}"
}

declare -A statuses=()
pending=("${targets[@]}")
while [ ${#pending[@]} -gt 0 ]; do
  batch=("${pending[@]:0:$jobs}")
  pending=("${pending[@]:$jobs}")
  pids=()
  for target in "${batch[@]}"; do
    run_target "$target" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    if wait "${pids[$i]}"; then statuses[${batch[$i]}]=clean; else statuses[${batch[$i]}]=FINDING; fi
  done
done

failed=0
echo "Fuzzing, ${seconds} s a target (logs in build-fuzz/logs/):"
for target in "${targets[@]}"; do
  summary "$target" "${statuses[$target]}"
  if [ "${statuses[$target]}" != clean ]; then
    failed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|.*: (text layout|mesh record|image|glyphs): )' \
      "$build/logs/$target.log" | head -5 | sed 's/^/    /'
    ls "$build/findings/$target" | sed 's/^/    kept: /'
  fi
done

# Line coverage of the game's own readers over everything the corpus holds:
# the targets are built again with profile instrumentation and every input
# is run once.
if [ "$coverage" -eq 1 ]; then
  declare -A readers=(
    [fuzz_configuration]="src/app/Configuration.cpp src/game/ParticleEmitter.cpp"
    [fuzz_crawler_routes]="src/game/LevelFiles.cpp src/game/LevelConstruction.cpp src/game/PathFollower.cpp src/game/Crawler.cpp src/game/Gameplay.cpp"
    [fuzz_player_route]="src/game/LevelFiles.cpp src/game/LevelConstruction.cpp src/game/PathFollower.cpp src/game/Camera.cpp src/game/Gameplay.cpp"
    [fuzz_model_import]="src/assets/ModelLoader.cpp src/assets/ModelFileSystem.cpp src/assets/MaterialLibraryCheck.cpp src/assets/ImageLoader.cpp"
    [fuzz_image]="src/assets/ImageLoader.cpp src/assets/ImageSizeCheck.cpp src/game/Terrain.cpp src/game/Terrain.h"
    [fuzz_text_layout]="src/render/TextLayout.cpp"
    [fuzz_glyphs]="src/render/FontGlyphs.cpp src/render/GlyphBitmap.cpp"
  )
  profiled="$build-coverage"
  cmake -S "$root/tests/fuzz" -B "$profiled" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DSANDLARK_FUZZ_COVERAGE=ON >/dev/null
  cmake --build "$profiled" --parallel "$(nproc)" --target "${targets[@]}" >/dev/null
  echo "Lines of the readers reached by each corpus:"
  for target in "${targets[@]}"; do
    rm -rf "$profiled/profiles/$target"
    mkdir -p "$profiled/profiles/$target" "$build/corpus/$target"
    LLVM_PROFILE_FILE="$profiled/profiles/$target/%p.profraw" "$profiled/$target" -runs=0 \
      "$build/corpus/$target" "$root/tests/fuzz/corpus/$target" >/dev/null 2>&1 || true
    llvm-profdata merge -sparse -o "$profiled/profiles/$target.profdata" "$profiled/profiles/$target"/*.profraw
    sources=()
    for source in ${readers[$target]}; do sources+=("$root/$source"); done
    echo "  $target:"
    llvm-cov report "$profiled/$target" -instr-profile="$profiled/profiles/$target.profdata" "${sources[@]}" |
      awk 'NR > 2 && $1 != "" && $1 !~ /^-/ { printf "    %-40s lines %s of %s (%s)\n", $1, $8 - $9, $8, $10 }'
  done
fi
exit "$failed"
