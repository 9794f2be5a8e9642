#!/usr/bin/env bash
# Builds every format, the host and the tests, then runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh tests
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWKR_BUILD_TESTS=ON -DWKR_BUILD_BENCH=ON >/dev/null
cmake --build build/test --parallel "$(nproc)"
# The hosting tests open the plug-in's editor: without a display they get a virtual one.
display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    display=(xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24")
fi
"${display[@]}" ctest --test-dir build/test --output-on-failure --parallel "$(nproc)" "$@"
