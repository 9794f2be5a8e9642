#!/usr/bin/env bash
# Proves that real hosts accept the built bundles as 2-in, 2-out effects:
# lilv's lv2info for the LV2 bundle (which also reads its class and maintainer) and Ardour's
# scanner for the VST3 bundle.
# Usage: scripts/check-hosts.sh <artefacts folder with LV2/ and VST3/>
set -euo pipefail

artefacts=$(realpath "${1:?usage: check-hosts.sh <artefacts folder>}")
uri="https://tolvane.example/plugins/wkr-plexa-2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The system folder holds the LV2 vocabularies, where lilv learns the plug-in classes.
lv2=$(LV2_PATH="$artefacts/LV2:/usr/lib/lv2" lv2info "$uri")
# Count the port blocks that are audio ports, by direction.
count_audio_ports() {
    awk -v direction="$1" '
        /^\tPort [0-9]+:/ { if (audio && dir) n++; audio = 0; dir = 0 }
        /lv2core#AudioPort/ { audio = 1 }
        $0 ~ "lv2core#" direction "Port" { dir = 1 }
        END { if (audio && dir) n++; print n + 0 }' <<<"$lv2"
}
audio_in=$(count_audio_ports Input)
audio_out=$(count_audio_ports Output)
if [ "$audio_in" != 2 ] || [ "$audio_out" != 2 ]; then
    echo "check-hosts: lv2info sees $audio_in audio inputs and $audio_out audio outputs, expected 2 and 2" >&2
    exit 1
fi
echo "check-hosts: lv2info lists $uri with 2 audio inputs and 2 audio outputs"
if ! grep -qE 'Class: +Distortion Plugin' <<<"$lv2" || ! grep -qE 'Author Email: +mailto:' <<<"$lv2"; then
    echo "check-hosts: lv2info does not see a distortion plug-in with a mailto: address:" >&2
    head -n 8 <<<"$lv2" >&2
    exit 1
fi
echo "check-hosts: lv2info classes it as a distortion plug-in, its maintainer reached by mailto:"

scanner=$(ls /usr/lib/ardour*/ardour-vst3-scanner 2>/dev/null | head -n 1)
if [ -z "$scanner" ]; then
    echo "check-hosts: ardour-vst3-scanner not found (install ardour)" >&2
    exit 1
fi
vst3=$(HOME="$scratch" LD_LIBRARY_PATH="$(dirname "$scanner")" "$scanner" -f -v "$artefacts/VST3/wkr Plexa 2.vst3" 2>&1)
if ! grep -q 'name="wkr Plexa 2".*n_inputs="2" n_outputs="2"' <<<"$vst3"; then
    echo "check-hosts: Ardour's scanner did not find a 2-in, 2-out effect:" >&2
    echo "$vst3" >&2
    exit 1
fi
echo "check-hosts: Ardour's VST3 scanner finds wkr Plexa 2 as a 2-in, 2-out effect"
