#!/usr/bin/env bash
# Installs the Debian package on this machine, checks what it installed and
# removes it again; run as root (or with sudo) on a machine where merid is
# not installed otherwise.
#
#   packaging/check_deb.sh PACKAGE.deb
#
# The installed dialogue must give the end-to-end golden screen and report
# for the typical session, every manual page must be found, lintian must
# report no error, and removing the package must leave none of its files.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
golden=$here/../tests/e2e/golden
deb=$(realpath -- "$1")
source "$here/../scripts/prepare.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/merid-deb.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

echo "== lintian"
lintian --tag-display-limit 0 "$deb" 2>&1 | tee "$work/lintian" |
  grep -v 'running with root privileges' || true
if grep -q '^E: ' "$work/lintian"; then fail "lintian reports errors"; fi

echo "== install"
# apt-get resolves the Depends that shlibdeps computed; it wants a path
# with a slash to take a file rather than a package name.
cp -- "$deb" "$work/"
(cd "$work" && merid_apt_get install -y -qq "./$(basename "$deb")")
files=$(dpkg -L merid)

echo "== the typical session through /usr/bin/merid-utf8"
mkdir "$work/run"
(cd "$work/run" &&
  printf '7.1\n12\n200\n2000\n50\n100\n3\n5\n' | /usr/bin/merid-utf8 >stdout) ||
  fail "merid-utf8 ended with status $?"
cmp -- "$golden/typical.stdout" "$work/run/stdout" || fail "screen differs"
sed "s/Дата: $(date +%Y%m%d)/Дата: YYYYMMDD/" "$work/run/rezultat.txt" \
  >"$work/run/rezultat.undated"
cmp -- "$golden/typical.rezultat.txt" "$work/run/rezultat.undated" ||
  fail "rezultat.txt differs"
/usr/bin/merid-calc --version || fail "merid-calc does not run"

echo "== manual pages"
for page in merid-utf8 merid-cp866 merid-calc; do
  man -w "$page" || fail "no manual page for $page"
done

echo "== remove"
merid_as_root dpkg -r merid
while IFS= read -r path; do
  # Directories such as /usr/bin stay; files of the package must go.
  if [[ -e $path && ! -d $path ]]; then fail "$path is left after removal"; fi
done <<<"$files"

if ((failures > 0)); then exit 1; fi
echo "the package installs, runs, has its manual pages and removes cleanly"
