#!/usr/bin/env bash
# Main job: builds the plug-in (VST3, LV2, Standalone) and the command-line host, then renders the
# built-in test signal through the plug-in. Extra arguments go to the host (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWKR_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"

echo
echo "Bundles in build/release/WkrPlexa2_artefacts/Release/: VST3/, LV2/, Standalone/"
echo
if [ $# -eq 0 ]; then
    # Without arguments, show the distortion: the built-in signal folded by Sine, x8 oversampling.
    set -- --set s1Input=18 --set-text s1Shape=Sine --oversampling 3 --output build/release/demo.wav
    echo "Built-in test signal through Sine, slot 1 input +18 dB, x8 oversampling:"
fi
build/release/wkr-plexa2-host "$@"
