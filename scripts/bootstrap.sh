#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing.
# Usage: scripts/bootstrap.sh [tests]   (without an argument: what the plug-in and the host need)
set -euo pipefail

# The plug-in, the command-line host and the framework's build.
packages=(
    build-essential cmake ninja-build pkg-config git
    juce-modules-source lv2-dev nlohmann-json3-dev
    libasound2-dev libfreetype-dev libfontconfig1-dev libx11-dev libxext-dev libxinerama-dev
    libxrandr-dev libxcursor-dev libxcomposite-dev
    libsleef-dev
)
# The tests, the benchmark, the checks of the built bundles and the format check.
if [ "${1:-}" = tests ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev ladspa-sdk caps lilv-utils sordi xvfb xauth clang-format)
fi
# Hosts that CI loads the built bundles into.
if [ "${WKR_WITH_HOSTS:-0}" = 1 ]; then
    packages+=(ardour)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
