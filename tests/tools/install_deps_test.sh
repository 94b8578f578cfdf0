#!/usr/bin/env bash
# The set-up script on systems it cannot install on: with everything there it ends quietly
# with status 0 (so the build goes on); with something missing it names what to install and
# ends with status 1, never with "command not found".
set -uo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A folder of programs for PATH: links to the real bash and grep, and the fakes given.
bin() {
  local dir=$work/$1
  shift
  mkdir -p "$dir"
  ln -sf "$(command -v bash)" "$dir/bash"
  ln -sf "$(command -v grep)" "$dir/grep"
  ln -sf "$(command -v mktemp)" "$dir/mktemp"
  for fake in "$@"; do
    printf '#!%s\n%s\n' "$(command -v bash)" "${fake#*=}" >"$dir/${fake%%=*}"
    chmod +x "$dir/${fake%%=*}"
  done
  echo "$dir"
}

# expect NAME STATUS TEXT PATH: runs the script with only PATH and checks its status and
# that its output holds TEXT (an empty TEXT: no output at all).
expect() {
  local name=$1 status=$2 text=$3 path=$4 out rc
  out=$(env -i PATH="$path" bash "$script" 2>&1)
  rc=$?
  if [ "$rc" -ne "$status" ] || { [ -z "$text" ] && [ -n "$out" ]; } ||
    { [ -n "$text" ] && [[ "$out" != *"$text"* ]]; } || [[ "$out" == *"not found"* ]]; then
    echo "FAILED: $name: status $rc, output:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

installed='echo "install ok installed"'
absent='exit 1'
user='echo 1000'
# The programs the build and the tests use, all there.
tools=(cmake=: c++=: clang++=: desktop-file-validate=: appstreamcli=:)

expect "Debian, all installed, no root, no sudo" 0 "" \
  "$(bin a dpkg-query="$installed" id="$user")"
expect "Debian, missing packages, no root, no sudo" 1 "apt-get install build-essential" \
  "$(bin b dpkg-query="$absent" id="$user")"
expect "Debian, missing packages, root, no apt-get" 1 "no apt-get" \
  "$(bin c dpkg-query="$absent" id='echo 0')"
expect "Debian, missing packages, sudo refuses" 1 "Please install these packages yourself" \
  "$(bin d dpkg-query="$absent" id="$user" sudo='exit 1' apt-get='exit 0')"
expect "no dpkg, everything there" 0 "" \
  "$(bin e id="$user" "${tools[@]}" pkg-config=:)"
expect "no dpkg, libraries missing" 1 "sdl2 (pkg-config module)" \
  "$(bin f id="$user" "${tools[@]}" pkg-config="$absent")"
expect "no dpkg, no pkg-config" 1 "pkg-config" "$(bin g id="$user" "${tools[@]}")"

exit $((failures > 0))
