# Shared by ./run, ./test and .ci/run (sourced, not run): installs the
# Debian packages a build needs when they are missing, and configures and
# builds a preset with its output kept in a log.  The build happens in the
# checkout whatever the caller's current folder, which it leaves as it was.

# The checkout this file belongs to, as an absolute path.
merid_checkout=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)

# Whether the Debian package $1 is installed (not merely known or removed).
merid_has_package() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]
}

# Runs a command as root: directly when root already, through sudo
# otherwise.
merid_as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

merid_apt_get() {
  merid_as_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" </dev/null
}

# merid_install_packages GROUP...: each GROUP is a list of Debian package
# names in one word, separated by commas ("g++,cmake,ninja-build").  The
# missing packages of each group are installed with one apt-get call; a
# long list in a single call can fail to resolve where small ones work.
# Returns nonzero, with a message on standard error, when a package is still
# missing at the end.
merid_install_packages() {
  # Elsewhere than on Debian or Ubuntu the packages are the user's to
  # provide; the build says what it misses.
  command -v dpkg-query >/dev/null || return 0
  local missing=() group package
  for group in "$@"; do
    for package in ${group//,/ }; do
      merid_has_package "$package" || missing+=("$package")
    done
  done
  ((${#missing[@]} == 0)) && return 0
  if ! command -v apt-get >/dev/null; then
    echo "merid: these Debian packages are needed: ${missing[*]}" >&2
    echo "merid: there is no apt-get to install them; install them and" \
      "try again." >&2
    return 1
  fi
  if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
    echo "merid: these Debian packages are needed: ${missing[*]}" >&2
    echo "merid: run this as root, or install sudo, or as root:" \
      "apt-get install ${missing[*]}" >&2
    return 1
  fi
  echo "merid: installing ${missing[*]}" >&2
  merid_apt_get update -qq >&2 || true
  for group in "$@"; do
    local wanted=()
    for package in ${group//,/ }; do
      merid_has_package "$package" || wanted+=("$package")
    done
    ((${#wanted[@]} == 0)) && continue
    # --no-remove: a package that only installs by removing another (luit
    # and chromium exclude each other on Debian 12) is reported, not forced.
    merid_apt_get install -y -qq --no-install-recommends --no-remove \
      "${wanted[@]}" >&2 || true
  done
  local still=()
  for package in "${missing[@]}"; do
    merid_has_package "$package" || still+=("$package")
  done
  if ((${#still[@]} > 0)); then
    echo "merid: could not install ${still[*]}" >&2
    return 1
  fi
}

# merid_build_preset PRESET LOG: configures (the first time) and builds the
# CMake preset of the checkout, its output in LOG (relative to the
# checkout), shown only when something fails.
merid_build_preset() {
  (cd "$merid_checkout" && merid_build_preset_here "$@")
}

merid_build_preset_here() {
  local preset=$1 log=$2 dir
  dir=build/$preset
  mkdir -p "$(dirname "$log")"
  if [[ ! -f $dir/CMakeCache.txt ]]; then
    echo "merid: configuring and building the $preset preset" \
      "(the first time takes a few minutes)" >&2
    if ! cmake --preset "$preset" </dev/null >"$log" 2>&1; then
      cat "$log" >&2
      return 1
    fi
  fi
  if ! cmake --build --preset "$preset" </dev/null >>"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}
