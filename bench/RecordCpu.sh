#!/usr/bin/env bash
# The CPU that "tarnel --record" takes while the device reports one register five times a
# second (goal: below 1 % of a core). Usage: bench/RecordCpu.sh BUILD_DIR [SECONDS]
set -euo pipefail

build=${1:?usage: RecordCpu.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}
dir=$(mktemp -d)
trap 'kill "$simulator" 2>/dev/null || true; rm -rf "$dir"' EXIT

cat >"$dir/config.xml" <<'XML'
<ROOT><PARAMETER>
<P Id="11" Name="Ramp" Minimum="0" Maximum="1000"/>
<P Id="999" Maximum="2" SendSerial="true"/>
</PARAMETER><UI_OBJECT Name="Home"/></ROOT>
XML
"$build/tools/simulator/tarnel-sim" --config "$dir/config.xml" --link "$dir/device" \
    --report-interval 0 --animate ramp:11:0:1000:200 --animate-interval 200 >/dev/null &
simulator=$!
for _ in $(seq 50); do [ -e "$dir/device" ] && break; sleep 0.1; done

/usr/bin/time -f '%U %S %e' -o "$dir/time" "$build/src/app/tarnel" --dir "$dir" \
    --port "$dir/device" --record "$dir/values.csv" --registers 11 --duration "$seconds" \
    >/dev/null
read -r user system elapsed <"$dir/time"
rows=$(($(wc -l <"$dir/values.csv") - 1))
awk -v u="$user" -v s="$system" -v e="$elapsed" -v r="$rows" 'BEGIN {
    printf "rows %d in %.1f s, user %.2f s, system %.2f s: %.3f %% of a core\n",
        r, e, u, s, 100 * (u + s) / e }'
