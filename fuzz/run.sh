#!/usr/bin/env bash
# Runs each fuzz target in turn for SECONDS, starting from a copy of its
# seed corpus (the repository is left as it is).  A finding stops the run:
# the input that caused it is kept in the work folder and named in the log.
#
#   fuzz/run.sh BUILD_DIR SECONDS [WORK_DIR] [TARGET...]
#
# With no TARGET it runs every *_fuzzer program in BUILD_DIR/fuzz.
# One target runs at a time, at a lower priority.  The last lines of each
# log are libFuzzer's figures: executions, coverage, peak memory.
set -euo pipefail

build=$1
seconds=$2
work=${3:-$(mktemp -d)}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
# With no TARGET, every fuzzer the build made (fuzz/CMakeLists.txt lists them).
if [ "${#targets[@]}" -eq 0 ]; then
  for fuzzer in "$build"/fuzz/*_fuzzer; do
    [ -x "$fuzzer" ] || continue
    name=${fuzzer##*/}
    targets+=("${name%_fuzzer}")
  done
fi
if [ "${#targets[@]}" -eq 0 ]; then
  echo "fuzz/run.sh: no fuzz target in $build/fuzz (build the fuzz preset)" >&2
  exit 2
fi

# Input streams may be longer than the reader's 4 KiB buffer.
max_len() {
  case $1 in
    menu_entry | dialogue) echo 10000 ;;
    *) echo 4096 ;;
  esac
}

status=0
for target in "${targets[@]}"; do
  corpus=$work/$target/corpus
  artifacts=$work/$target/artifacts/
  log=$work/$target/fuzz.log
  mkdir -p "$corpus" "$artifacts"
  cp "$here/corpus/$target/"* "$corpus/"
  echo "== $target: ${seconds}s"
  if nice -n 10 "$build/fuzz/${target}_fuzzer" "$corpus" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="$(max_len "$target")" -print_final_stats=1 \
      -artifact_prefix="$artifacts" >"$log" 2>&1; then
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::(number_of_executed_units|peak_rss_mb|new_units_added))' "$log" || true
  else
    status=1
    echo "!! $target found a fault; log: $log"
    grep -E 'ERROR|check failed|runtime error|SUMMARY|Test unit written' "$log" | head -20
  fi
done
exit $status
