#!/usr/bin/env bash
# Runs the Windows programs under Wine beside the POSIX programs and checks
# that both give the same bytes.
#
#   wine_test.sh prefix-create STATE_FILE
#   wine_test.sh prefix-remove STATE_FILE
#   wine_test.sh session STATE_FILE POSIX_PROGRAM WINDOWS_PROGRAM STDIN WORK_DIR
#                STATUS [--existing-results BYTES] [--results-is-directory]
#                [--file-size-limit KIB] [--results-unchanged]
#   wine_test.sh console STATE_FILE WINDOWS_PROGRAM STDIN WORK_DIR
#   wine_test.sh launcher STATE_FILE POSIX_PROGRAM WINDOWS_PROGRAM LAUNCHER
#                STDIN WORK_DIR STATUS
#   wine_test.sh calc STATE_FILE POSIX_CALC WINDOWS_CALC WORK_DIR STATUS
#                ARGUMENT...
#
# One Wine prefix serves a whole test run: prefix-create makes it in a fresh
# temporary directory, starts a persistent wineserver for it and writes its
# path to STATE_FILE; prefix-remove stops that wineserver and deletes the
# directory.  Set MERID_WINE and MERID_WINESERVER to use other binaries.
#
# A session feeds STDIN to both programs, each in its own empty working
# directory, and compares standard output, the exit status (which must be
# STATUS) and rezultat.txt.  Under Wine, "cls" writes nothing to an output
# that is not a console; any ANSI control sequence (ESC [ ... letter) that it
# might write is removed from the Windows output before the comparison.  The
# programs themselves never write ESC, so nothing of theirs is lost.
#
# A launcher session runs the .cmd launcher through Wine's cmd.exe, with
# the Windows program beside it, and compares as a session does; after
# status 2 the launcher's pause must have added its prompt after the
# program's output, and after any other status nothing.  (Wine without a
# console reports code page 0 and refuses chcp, so the code page the
# launcher sets and restores is not seen here.)
#
# A calc run gives both merid-calc programs the same arguments: standard
# output, standard error and the exit status (which must be STATUS) must be
# the same bytes, as merid-calc writes to a file or a pipe.
set -euo pipefail

wine=${MERID_WINE:-wine}
wineserver=${MERID_WINESERVER:-wineserver}

# Headless and quiet: no debug channels, and no offer to install Mono or
# Gecko, which a console program never needs.
wine_env() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
  unset DISPLAY WAYLAND_DISPLAY
}

# Stops the wineserver of the prefix recorded in STATE_FILE (with every
# Wine process it serves) and deletes the prefix's directory.
remove_prefix() {
  local state=$1
  [[ -f $state ]] || return 0
  local root
  root=$(<"$state")
  if [[ -d $root/prefix ]]; then
    (wine_env "$root/prefix" && "$wineserver" -k) >/dev/null 2>&1 || true
  fi
  if [[ $root == */merid-wine.* ]]; then rm -rf -- "$root"; fi
  rm -f -- "$state"
}

create_prefix() {
  local state=$1
  remove_prefix "$state" # left over from an interrupted run
  local root
  root=$(mktemp -d "${TMPDIR:-/tmp}/merid-wine.XXXXXX")
  printf '%s\n' "$root" >"$state"
  wine_env "$root/prefix"
  local started=$SECONDS
  mkdir "$root/prefix"
  # Persistent, so that every session finds it running.  Every Wine process
  # gets files for its standard streams: a daemon that inherited CTest's
  # pipe would keep the test running until the daemon exits.
  "$wineserver" -p </dev/null >/dev/null 2>&1
  if ! "$wine" wineboot --init </dev/null >"$root/wineboot.log" 2>&1; then
    cat "$root/wineboot.log" >&2
    echo "wineboot failed for $root/prefix" >&2
    return 1
  fi
  echo "Wine prefix $root/prefix ready in $((SECONDS - started)) s"
}

# The status, standard output and results file of one program, run in
# WORK with STDIN, set up as the options ask.
run_program() {
  local work=$1 input=$2
  shift 2
  mkdir -p "$work"
  if ((existing_results > 0)); then
    head -c "$existing_results" /dev/zero | tr '\0' 'x' >"$work/rezultat.txt"
  fi
  if ((results_is_directory)); then mkdir "$work/rezultat.txt"; fi
  local status=0
  (
    cd "$work"
    if ((file_size_limit > 0)); then
      # Ignored, so that a write past the limit fails instead of killing.
      trap '' XFSZ
      ulimit -f "$file_size_limit"
    fi
    exec "$@" <"$input" >stdout 2>stderr
  ) || status=$?
  echo "$status" >"$work/status"
}

strip_cls() {
  LC_ALL=C sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$1" >"$1.compared"
}

failures=0
fail() {
  echo "MISMATCH: $*" >&2
  failures=$((failures + 1))
}

compare_files() {
  local what=$1 posix=$2 windows=$3
  if cmp -- "$posix" "$windows" >&2; then return 0; fi
  fail "$what differs"
  diff <(od -An -c -w16 -v -- "$posix") <(od -An -c -w16 -v -- "$windows") |
    head -n 20 >&2 || true
}

compare_results_files() {
  local posix=$1/rezultat.txt windows=$2/rezultat.txt
  if [[ -f $posix && -f $windows ]]; then
    compare_files rezultat.txt "$posix" "$windows"
  elif [[ -e $posix || -e $windows ]]; then
    [[ -d $posix && -d $windows ]] ||
      fail "rezultat.txt: $(file_kind "$posix") (POSIX) vs" \
        "$(file_kind "$windows") (Windows)"
  fi
}

# Both programs may agree and still both be wrong: a failed report must
# leave the file exactly as it was before.
check_unchanged() {
  local size
  size=$(wc -c <"$1")
  ((size == existing_results)) ||
    fail "rezultat.txt ($2) has $size bytes, had $existing_results before"
}

file_kind() {
  if [[ -d $1 ]]; then echo directory; elif [[ -e $1 ]]; then echo file; else
    echo missing
  fi
}

report_failures() {
  local work=$1
  ((failures > 0)) || return 0
  echo "stderr (POSIX):" >&2 && cat "$work/posix/stderr" >&2
  echo "stderr (Windows):" >&2 && cat "$work/windows/stderr" >&2
  echo "runs kept in $work" >&2
  return 1
}

run_session() {
  local state=$1 posix=$2 windows=$3 input=$4 work=$5 expected=$6
  shift 6
  existing_results=0 results_is_directory=0 file_size_limit=0
  local results_unchanged=0
  while (($#)); do
    case $1 in
    --existing-results) existing_results=$2 && shift 2 ;;
    --results-is-directory) results_is_directory=1 && shift ;;
    --file-size-limit) file_size_limit=$2 && shift 2 ;;
    --results-unchanged) results_unchanged=1 && shift ;;
    *) echo "unknown option $1" >&2 && return 64 ;;
    esac
  done
  [[ -f $state ]] || {
    echo "no Wine prefix: $state is missing" >&2
    return 1
  }
  wine_env "$(<"$state")/prefix"
  # The programs run in their own working directories.
  posix=$(realpath -- "$posix")
  windows=$(realpath -- "$windows")
  input=$(realpath -- "$input")
  rm -rf -- "$work"
  mkdir -p "$work"

  # Side by side: most of a session is the programs' one-second pauses.
  local started=$SECONDS
  run_program "$work/posix" "$input" "$posix" &
  run_program "$work/windows" "$input" "$wine" "$windows" &
  wait
  echo "both programs ran in $((SECONDS - started)) s"

  local posix_status windows_status
  posix_status=$(<"$work/posix/status")
  windows_status=$(<"$work/windows/status")
  [[ $posix_status == "$windows_status" ]] ||
    fail "exit status $posix_status (POSIX) vs $windows_status (Windows)"
  [[ $posix_status == "$expected" ]] ||
    fail "exit status $posix_status, expected $expected"
  strip_cls "$work/windows/stdout"
  compare_files "standard output" "$work/posix/stdout" \
    "$work/windows/stdout.compared"
  compare_results_files "$work/posix" "$work/windows"
  if ((results_unchanged)); then
    check_unchanged "$work/posix/rezultat.txt" POSIX
    check_unchanged "$work/windows/rezultat.txt" Windows
  fi
  report_failures "$work" || return 1
  echo "same bytes: standard output $(wc -c <"$work/posix/stdout") bytes," \
    "status $posix_status, rezultat.txt $(file_kind "$work/posix/rezultat.txt")"
}

# The UTF-8 program on a console after "chcp 65001": Wine's console shows
# its screen on a pseudo-terminal made by script(1).  A UTF-8 sequence that
# reaches the console in two writes shows as replacement characters (U+FFFD,
# bytes EF BF BD); each screen must reach it whole.
run_console() {
  local state=$1 windows=$2 input=$3 work=$4
  wine_env "$(<"$state")/prefix"
  windows=$(realpath -- "$windows")
  input=$(realpath -- "$input")
  rm -rf -- "$work"
  mkdir -p "$work"
  cp -- "$windows" "$work/program.exe"
  cp -- "$input" "$work/input"
  (cd "$work" && script -qec \
    "$wine cmd /c 'chcp 65001 >nul & program.exe <input'" console.log \
    </dev/null >/dev/null 2>&1)
  local cut
  cut=$(LC_ALL=C grep -c $'\xef\xbf\xbd' "$work/console.log" || true)
  if ((cut > 0)); then
    fail "$cut console lines show replacement characters; kept in $work"
    return 1
  fi
  if ! grep -q 'Данные записаны' "$work/console.log"; then
    fail "the confirmation did not reach the console; kept in $work"
    return 1
  fi
  echo "console: $(wc -c <"$work/console.log") bytes, no cut UTF-8 sequence"
}

# The launcher and the Windows program are copied into WORK/windows, the
# folder the launcher runs in, as they lie side by side in the ZIP.
run_launcher() {
  local state=$1 posix=$2 windows=$3 launcher=$4 input=$5 work=$6
  local expected=$7
  existing_results=0 results_is_directory=0 file_size_limit=0
  wine_env "$(<"$state")/prefix"
  posix=$(realpath -- "$posix")
  input=$(realpath -- "$input")
  rm -rf -- "$work"
  mkdir -p "$work/windows"
  cp -- "$windows" "$launcher" "$work/windows/"
  run_program "$work/posix" "$input" "$posix" &
  run_program "$work/windows" "$input" "$wine" cmd /c "$(basename "$launcher")" &
  wait
  local status
  status=$(<"$work/windows/status")
  [[ $status == "$expected" ]] ||
    fail "launcher exit status $status, expected $expected"
  strip_cls "$work/windows/stdout"
  local program_bytes extra
  program_bytes=$(wc -c <"$work/posix/stdout")
  head -c "$program_bytes" "$work/windows/stdout.compared" >"$work/windows/program"
  compare_files "standard output" "$work/posix/stdout" "$work/windows/program"
  extra=$(($(wc -c <"$work/windows/stdout.compared") - program_bytes))
  if [[ $expected == 2 ]]; then
    ((extra > 0)) || fail "no pause after status 2"
  else
    ((extra == 0)) || fail "$extra bytes after the program's output"
  fi
  compare_results_files "$work/posix" "$work/windows"
  report_failures "$work" || return 1
  echo "the launcher passed on the program's $program_bytes bytes and status $status"
}

run_calc() {
  local state=$1 posix=$2 windows=$3 work=$4 expected=$5
  shift 5
  existing_results=0 results_is_directory=0 file_size_limit=0
  wine_env "$(<"$state")/prefix"
  posix=$(realpath -- "$posix")
  windows=$(realpath -- "$windows")
  rm -rf -- "$work"
  run_program "$work/posix" /dev/null "$posix" "$@"
  run_program "$work/windows" /dev/null "$wine" "$windows" "$@"
  local status
  status=$(<"$work/posix/status")
  [[ $status == "$expected" ]] || fail "exit status $status, expected $expected"
  compare_files "exit status" "$work/posix/status" "$work/windows/status"
  compare_files "standard output" "$work/posix/stdout" "$work/windows/stdout"
  compare_files "standard error" "$work/posix/stderr" "$work/windows/stderr"
  report_failures "$work" || return 1
  echo "same bytes: standard output $(wc -c <"$work/posix/stdout") bytes," \
    "standard error $(wc -c <"$work/posix/stderr") bytes, status $status"
}

command=${1:-}
shift || true
case $command in
prefix-create) create_prefix "$@" ;;
prefix-remove) remove_prefix "$@" ;;
session) run_session "$@" ;;
console) run_console "$@" ;;
launcher) run_launcher "$@" ;;
calc) run_calc "$@" ;;
*)
  echo "usage: $0 prefix-create|prefix-remove|session|console|launcher|calc ..." >&2
  exit 64
  ;;
esac
