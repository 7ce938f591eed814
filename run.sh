#!/usr/bin/env bash
# Sets everything up and starts Pelko32.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPELKO_BUILD_TESTS=OFF >/dev/null
cmake --build build
exec build/bin/Pelko32 "build/bin/Beispiele/Englisch-Beispiel.PLK" "$@"
