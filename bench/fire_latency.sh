#!/usr/bin/env bash
# Times the schedule firing with the real clock (offscreen, nothing is really requested).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES $RUN_PACKAGES $TEST_PACKAGES
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DAUTOSHUTDOWN_TESTS=ON >/dev/null
cmake --build build-release --target fire_latency --parallel "$(nproc)" >/dev/null
build-release/bench/fire_latency "${1:-30}"
