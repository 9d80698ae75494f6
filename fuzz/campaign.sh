#!/bin/sh
# Runs every libFuzzer target of a fuzz build in turn, each on a scratch copy of its corpus for
# the given number of seconds, merges the inputs that reached new code back into
# fuzz/corpus/<target>/ (only those, so the seeds keep their names), and prints what each run did.
# Findings (crash, leak, timeout and out-of-memory inputs) are kept under BUILD/campaign/<target>/
# and make the script fail.
#
#   fuzz/campaign.sh [BUILD [SECONDS [TARGET...]]]      (defaults: build-fuzz, 600, every target)
set -eu

build=${1:-build-fuzz}
seconds=${2:-600}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
root=$(cd "$(dirname "$0")/.." && pwd)

case $seconds in
  '' | *[!0-9]*) echo "campaign: the time per target must be a number of seconds, not '$seconds'" >&2; exit 2 ;;
esac
if [ ! -d "$build/fuzz" ]; then
  echo "campaign: no fuzz build in '$build' (run 'make fuzz' first)" >&2
  exit 2
fi

targets=$*
if [ -z "$targets" ]; then
  for bin in "$build"/fuzz/*_fuzz; do [ -x "$bin" ] && targets="$targets $(basename "$bin")"; done
fi
if [ -z "$targets" ]; then
  echo "campaign: '$build/fuzz' holds no fuzz targets" >&2
  exit 2
fi

# A misspelt target stops the campaign before anything runs, not after an hour of the others.
for target in $targets; do
  if [ ! -x "$build/fuzz/$target" ]; then
    echo "campaign: no target '$target' in '$build/fuzz'" >&2
    exit 2
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM
results=$scratch/results
found_any=0

for target in $targets; do
  bin=$build/fuzz/$target
  corpus=$root/fuzz/corpus/$target
  out=$build/campaign/$target
  rm -rf "$out"
  mkdir -p "$out" "$corpus" "$scratch/$target"
  cp -R "$corpus/." "$scratch/$target/"
  echo "== $target: ${seconds} s on $(ls "$corpus" | wc -l) seeds"

  # A finding stops libFuzzer with a non-zero code; it is counted below, not fatal here.
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/" "$scratch/$target" >"$out/run.log" 2>&1 || true
  before=$(ls "$corpus" | wc -l)
  "$bin" -merge=1 -timeout=10 -rss_limit_mb=2048 "$corpus" "$scratch/$target" \
    >"$out/merge.log" 2>&1 || echo "campaign: merging the corpus of $target failed, see $out/merge.log" >&2
  added=$(($(ls "$corpus" | wc -l) - before))

  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/run.log" | tail -n 1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$out/run.log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$out/run.log" | tail -n 1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$out/run.log" | tail -n 1 | cut -d' ' -f2)
  findings=$(find "$out" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  [ "$findings" -gt 0 ] && found_any=1
  printf '%-22s %12s %7s %7s %8s %9s %8s\n' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" \
    "${rss:-?}" "$findings" "+$added" >>"$results"
done

echo
echo "Campaign: ${seconds} s per target (findings and logs under $build/campaign/)"
printf '%-22s %12s %7s %7s %8s %9s %8s\n' target executions edges features "rss MB" findings corpus
cat "$results"
exit $found_any
