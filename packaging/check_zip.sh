#!/usr/bin/env bash
# Checks the Windows ZIP: it holds exactly the programs, the launchers and
# the notes in one folder; the programs are stripped; README.txt is UTF-8
# with a byte-order mark and the launchers end their lines in CR LF; and,
# with Wine, the unpacked programs and launchers pass the typical session.
#
#   packaging/check_zip.sh ZIP POSIX_PROGRAMS_DIR
#
# POSIX_PROGRAMS_DIR holds merid-cp866 and merid-utf8 built for this
# machine, the reference for the Windows programs' bytes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zip=$(realpath -- "$1")
posix=$(realpath -- "$2")
driver=$here/../tests/wine/wine_test.sh
sessions=$here/../tests/wine/sessions

work=$(mktemp -d "${TMPDIR:-/tmp}/merid-zip.XXXXXX")
state=$work/wine-prefix-path
cleanup() {
  bash "$driver" prefix-remove "$state" || true
  rm -rf -- "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

folder=$(basename "$zip" .zip)
expected="LICENSE.txt README.txt merid-calc.exe merid-cp866.exe merid-utf8.cmd merid-utf8.exe merid.cmd"
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sed "s|^$folder/||" | LC_ALL=C sort | xargs)
[[ $listed == "$expected" ]] || fail "the ZIP holds: $listed"
unzip -q "$zip" -d "$work"
dir=$work/$folder

for exe in "$dir"/*.exe; do
  objdump -h "$exe" | grep -q '\.debug' && fail "$(basename "$exe") is not stripped"
done
[[ $(head -c 3 "$dir/README.txt" | od -An -tx1 | xargs) == "ef bb bf" ]] ||
  fail "README.txt has no byte-order mark"
iconv -f UTF-8 -t UTF-16 "$dir/README.txt" >/dev/null ||
  fail "README.txt is not UTF-8"
for file in "$dir"/*.cmd "$dir/README.txt"; do
  if grep -q $'[^\r]$' "$file" || grep -q '^$' "$file"; then
    fail "$(basename "$file") has a line that does not end in CR LF"
  fi
done

if command -v wine >/dev/null; then
  bash "$driver" prefix-create "$state"
  for program in cp866 utf8; do
    bash "$driver" session "$state" "$posix/merid-$program" \
      "$dir/merid-$program.exe" "$sessions/typical.stdin" \
      "$work/runs/$program" 0 || fail "merid-$program.exe from the ZIP"
  done
  bash "$driver" launcher "$state" "$posix/merid-cp866" "$dir/merid-cp866.exe" \
    "$dir/merid.cmd" "$sessions/typical.stdin" "$work/runs/launcher" 0 ||
    fail "merid.cmd from the ZIP"
else
  echo "Wine is not installed: the programs of the ZIP were not run"
fi

if ((failures > 0)); then exit 1; fi
echo "the ZIP holds what it should, and its programs pass"
