#!/usr/bin/env bash
# Sanitizer jobs: the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the suites that run threads against each other (named *Threads) under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh tests
jobs=$(nproc)

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWKR_SANITIZE=address,undefined >/dev/null
cmake --build build/asan --parallel "$jobs" --target WkrPlexa2Tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build/asan/tests/WkrPlexa2Tests --gtest_brief=1

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWKR_SANITIZE=thread >/dev/null
cmake --build build/tsan --parallel "$jobs" --target WkrPlexa2Tests
TSAN_OPTIONS=halt_on_error=1 build/tsan/tests/WkrPlexa2Tests --gtest_filter='*Threads.*' --gtest_brief=1
