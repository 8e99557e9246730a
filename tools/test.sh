#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  1. the normal build (all programs, tests, benchmarks compiled) and all its tests, offscreen;
#  2. an AddressSanitizer + UndefinedBehaviorSanitizer build running the non-GUI tests;
#  3. the libFuzzer targets (clang), each run briefly.
# Build folders live under build/ in the source tree; ccache makes rebuilds fast.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash tools/install-deps.sh || exit 1

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/tessel-ccache}"
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_MAXSIZE=5G
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
JOBS=$(nproc)
FUZZ_SECONDS="${TESSEL_FUZZ_SECONDS:-10}"
# Every case must run: a skip fails unless the case is on the list in
# tests/support/AllowedSkips.h, and the samples cases get a folder of their own.
export TESSEL_FAIL_ON_SKIP=1
TESSEL_SAMPLES=$(mktemp -d)
export TESSEL_SAMPLES
trap 'rm -rf "$TESSEL_SAMPLES"' EXIT
passed=0
failed=0
skipped=0
programs=0
failures=()

# Counts the cases of a ctest log (each case is a test of its own, "program:Suite.Case");
# "program:shuffled" is a whole program run in a random order, counted apart.
count_ctest() { # log file, stage name
  local p f s r rf
  if ! grep -qE '^[0-9]+% tests passed' "$1"; then
    failed=$((failed + 1)); failures+=("$2: ctest did not run"); return
  fi
  read -r p f s r rf < <(awk '
    /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
      name = $0; sub(/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: /, "", name); sub(/ .*/, "", name)
      whole = name ~ /:shuffled$/
      if ($0 ~ / Passed +[0-9.]+ sec/) { if (whole) r++; else p++ }
      else if ($0 ~ /Skipped/) { if (whole) rf++; else s++ }
      else { if (whole) rf++; else f++ }
    }
    END { print p + 0, f + 0, s + 0, r + 0, rf + 0 }' "$1")
  passed=$((passed + p)); failed=$((failed + f + rf)); skipped=$((skipped + s)); programs=$((programs + r))
  [ "$f" -gt 0 ] && failures+=("$2: $f cases failed")
  [ "$rf" -gt 0 ] && failures+=("$2: $rf shuffled program runs failed")
  [ "$s" -gt 0 ] && echo "$2: $s cases skipped (allowed in tests/support/AllowedSkips.h)"
}

build() { # dir, cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$JOBS" 2>&1 | grep -vE '^\[[0-9]+/[0-9]+\] ' ; return "${PIPESTATUS[0]}"
}

mkdir -p build
echo "== normal build"
if build build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  echo "== tests"
  # each case on its own, then every program whole with --gtest_shuffle (the ":shuffled" tests)
  (cd build/main && ctest -j "$JOBS" --output-on-failure --timeout 300) 2>&1 | tee build/main.ctest.log
  count_ctest build/main.ctest.log "tests"
else
  failed=$((failed + 1)); failures+=("normal build failed")
fi

echo "== sanitizer build"
if build build/asan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON -DTESSEL_GUI=OFF -DTESSEL_BENCH=OFF; then
  echo "== sanitizer tests"
  (cd build/asan && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest -j "$JOBS" -L nongui -LE shuffled --output-on-failure --timeout 300) 2>&1 | tee build/asan.ctest.log
  count_ctest build/asan.ctest.log "sanitizer tests"
else
  failed=$((failed + 1)); failures+=("sanitizer build failed")
fi

echo "== fuzz build"
fuzzed=0
if CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_FUZZ=ON -DTESSEL_GUI=OFF; then
  for f in build/fuzz/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus="build/fuzz/corpus-$name"
    mkdir -p "$corpus"
    seeds="$ROOT/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] || seeds=""
    # A unit slower than 30 s ends the run with code 70: reported, kept as an artifact,
    # but not a failure (crashes and sanitizer reports are).
    "$f" -max_total_time="$FUZZ_SECONDS" -timeout=30 -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="build/fuzz/$name-" "$corpus" $seeds > "build/fuzz/$name.log" 2>&1
    rc=$?
    if [ "$rc" -eq 0 ] || [ "$rc" -eq 70 ]; then
      echo "fuzz $name: ok ($(grep -oE '#[0-9]+' "build/fuzz/$name.log" | tail -n1) runs)"
      [ "$rc" -eq 70 ] && echo "fuzz $name: SLOW unit over 30 s kept in build/fuzz/ (not a failure)"
      fuzzed=$((fuzzed + 1))
    else
      echo "fuzz $name: FAILED"; tail -n 40 "build/fuzz/$name.log"
      failed=$((failed + 1)); failures+=("fuzz target $name")
    fi
  done
else
  failed=$((failed + 1)); failures+=("fuzz build failed")
fi

for x in "${failures[@]}"; do echo "FAILED: $x"; done
echo "$passed cases passed, $failed failed, $skipped skipped; $programs shuffled program runs passed; $fuzzed fuzz targets ran"
[ "$failed" -eq 0 ]
