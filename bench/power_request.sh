#!/usr/bin/env bash
# Builds the D-Bus test driver and times power requests against mocked services on private buses.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES $TEST_PACKAGES
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DAUTOSHUTDOWN_TESTS=ON >/dev/null
cmake --build build-release --target power_request_driver --parallel "$(nproc)" >/dev/null
/usr/bin/python3 bench/power_request.py "$PWD/build-release/tests/power_request_driver"
