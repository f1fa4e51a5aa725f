#!/usr/bin/env bash
# Times PlayMp3 replacing a playing player, and the way to the first sample, on a paced device.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES $TEST_PACKAGES
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DAUTOSHUTDOWN_TESTS=ON >/dev/null
cmake --build build-release --target player_replace asound_module_pcm_paced --parallel "$(nproc)" >/dev/null
build-release/bench/player_replace "$PWD/build-release/tests/libasound_module_pcm_paced.so" \
  "$PWD/tests/services/fixtures/mpeg1_l3_44k_stereo.mp3" "${1:-1000}"
