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
# No program a test started may outlive the run (it would hold its output open).
trap 'pkill -f "$PWD/build-test/bin/" 2>/dev/null || true; rm -rf "$tmp"' EXIT
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

# Fuzz targets: a short bounded run each, starting from the committed seeds,
# several at a time.
export PELKO_FUZZ_SECONDS=${PELKO_FUZZ_SECONDS:-20}
export PELKO_FUZZ_TMP="$tmp"
fuzz_one() {
  local target=$1 name corpus seeds
  name=$(basename "$target")
  corpus="$PELKO_FUZZ_TMP/corpus-$name"
  mkdir -p "$corpus"
  seeds=fuzz/seeds/${name#fuzz_}
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  if "$target" -max_total_time="$PELKO_FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=0 "$corpus" >"$PELKO_FUZZ_TMP/$name.log" 2>&1; then
    echo "fuzzed $name for ${PELKO_FUZZ_SECONDS}s: no finding"
  else
    tail -n 60 "$PELKO_FUZZ_TMP/$name.log"
    echo "fuzz target $name failed"
    return 1
  fi
}
export -f fuzz_one
find build-test/fuzz -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x | sort |
  xargs -r -P "$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))" -I{} bash -c 'fuzz_one "$1"' _ {}
echo "all tests passed"
