#!/usr/bin/env bash
# Sets everything up and runs every test: unit and widget tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a
# bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPELKO_SANITIZE=ON -DPELKO_FUZZ=ON -DPELKO_BUILD_TESTS=ON >/dev/null
cmake --build build-test

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
export PELKO_REGISTRY="$tmp/registry.reg"
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

ctest --test-dir build-test --output-on-failure -j "$(nproc)"

# Fuzz targets: a short bounded run each, starting from the committed seeds.
fuzz_seconds=${PELKO_FUZZ_SECONDS:-20}
for target in build-test/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$tmp/corpus-$name"
  mkdir -p "$corpus"
  seeds=fuzz/seeds/${name#fuzz_}
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "fuzzing $name for ${fuzz_seconds}s"
  "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$corpus" >"$tmp/$name.log" 2>&1 || {
    tail -n 60 "$tmp/$name.log"; echo "fuzz target $name failed"; exit 1; }
done
echo "all tests passed"
