#!/usr/bin/env bash
# Validates the LV2 bundle's description against the LV2 schemas (sord_validate from sordi, the
# schemas from lv2-dev). Fails on any error except the known ones in statements the framework
# writes and the build leaves as they are (listed in the README).
# Usage: scripts/check-lv2-metadata.sh <bundle folder>
set -euo pipefail

bundle=$(realpath "${1:?usage: check-lv2-metadata.sh <bundle folder>}")
uri="https://tolvane.example/plugins/wkr-plexa-2"
lv2="http://lv2plug.in/ns/lv2core#"

if ! command -v sord_validate >/dev/null; then
    echo "check-lv2-metadata: sord_validate not found (install sordi)" >&2
    exit 1
fi

# The LV2 vocabulary bundles: those in the system folder that hold no plug-in binary.
schemas=()
for folder in /usr/lib/lv2/*.lv2; do
    if ! compgen -G "$folder/*.so" >/dev/null; then
        schemas+=("$folder"/*.ttl)
    fi
done
if [ ${#schemas[@]} -eq 0 ]; then
    echo "check-lv2-metadata: no LV2 schemas in /usr/lib/lv2 (install lv2-dev)" >&2
    exit 1
fi

report=$(sord_validate "${schemas[@]}" "$bundle"/*.ttl 2>&1 || true)

# Each error is a message line and then its subject, predicate and object, one a line.
unexpected=$(awk -v uri="$uri" -v lv2="$lv2" '
    function strip(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
    function judge() {
        if (message == "") return
        known = 0
        # Parameters carry enumeration and toggled as port properties, which hosts read.
        if (predicate == lv2 "portProperty" && index(subject, uri ":") == 1 &&
            (object == lv2 "enumeration" || object == lv2 "toggled")) known = 1
        # The editor description: its resize and options statements.
        if (subject == uri ":UI" && (predicate == lv2 "extensionData" || predicate == lv2 "optionalFeature")) known = 1
        # The preset of the one program, stored under a property of its own.
        if (predicate == uri ":Program") known = 1
        if (!known) print message " | " subject " " predicate " " object
        message = ""
    }
    /^error: / { judge(); message = $0; field = 0; next }
    message != "" && strip($0) != "" {
        field++
        if (field == 1) subject = strip($0)
        else if (field == 2) predicate = strip($0)
        else if (field == 3) object = strip($0)
    }
    END { judge() }' <<<"$report")

summary=$(grep -E '^Found [0-9]+ errors' <<<"$report" || true)
if [ -z "$summary" ]; then
    echo "check-lv2-metadata: sord_validate gave no summary:" >&2
    echo "$report" >&2
    exit 1
fi
if [ -n "$unexpected" ]; then
    echo "check-lv2-metadata: errors in the bundle's description:" >&2
    echo "$unexpected" >&2
    exit 1
fi
echo "check-lv2-metadata: $summary, all of them in the framework's known statements"
