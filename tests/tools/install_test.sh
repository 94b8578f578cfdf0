#!/usr/bin/env bash
# The installed game: `cmake --install` into a fresh prefix puts the program, its data, the
# desktop entry, the metainfo file, the icons and the licences where a desktop looks for them;
# the desktop entry and the metainfo file pass their validators; and the installed program,
# started from another folder on SDL's offscreen driver, finds its data in the share folder
# and reaches the main menu (its first saved game is written just before the menu starts),
# then ends cleanly when told to. Moving the data away makes it stop with the message that
# names the missing folders. The uninstall then leaves nothing of the game in the prefix.
set -uo pipefail
build=$1
source=$2
id=io.github.orvela.OrvelaPuzzle
work=$(mktemp -d)
# The install writes its list of files into the build folder: the player's own list, from
# their real install, is put back afterwards so that their uninstall still works.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$work/manifest.kept"
restore() {
  if [ -f "$work/manifest.kept" ]; then
    cp -p "$work/manifest.kept" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$work"
}
trap restore EXIT
prefix="$work/the prefix"  # a space in it, as a home folder may have
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  fail "cmake --install"
  exit 1
fi

for file in bin/orvela-puzzle share/orvela-puzzle/gfx/menu-screen.jpg \
  share/orvela-puzzle/sfx/puzzle.ogg share/orvela-puzzle/dane/credits.tsc \
  share/orvela-puzzle/docs/how-to-play.html share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/doc/orvela-puzzle/bluehigh-LICENSE.txt \
  share/doc/orvela-puzzle/about-and-licences.html; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "icon $size: $icon is '$dims'"
done

# One application id names the desktop entry, its icon and the metainfo file.
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "desktop entry's Icon"
# The menu starts the installed program by its full path, whatever the session's PATH.
grep -qxF "Exec=\"$prefix/bin/orvela-puzzle\"" "$prefix/share/applications/$id.desktop" ||
  fail "desktop entry's Exec: $(grep Exec= "$prefix/share/applications/$id.desktop")"
grep -q "<id>$id</id>" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo launchable"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli"

# run NAME: starts the installed game from an unrelated folder with a fresh home and waits
# until it writes its saved game (start-up done, the menu running) or ends by itself.
run() {
  local name=$1 home=$work/home-$1
  mkdir -p "$work/elsewhere" "$home"
  # In the sanitizer build the leak check looks away: the system's graphics drivers that SDL
  # loads keep allocations to the end (the headless tests and the soak check the game's own).
  (cd "$work/elsewhere" && exec env -u XDG_DATA_HOME HOME="$home" SDL_VIDEODRIVER=offscreen \
    SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$prefix/bin/orvela-puzzle" >"$work/$name.out" 2>&1) &
  pid=$!
  profile="$home/.local/share/Orvela Puzzle Game/profiles/tobrin.prof"
  for _ in $(seq 1 600); do
    [ -f "$profile" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
}

run installed
if [ -f "$profile" ] && kill -0 "$pid" 2>/dev/null; then
  sleep 1  # a few frames of the menu
  kill -TERM "$pid"  # SDL turns it into the window's close request
  wait "$pid"
  rc=$?
  [ "$rc" -eq 0 ] || fail "the installed game ended with status $rc when asked to close"
  if grep -q "Orvela Puzzle Game:" "$work/installed.out"; then fail "the game reported a problem"; fi
else
  kill -KILL "$pid" 2>/dev/null
  wait "$pid"
  fail "the installed game did not reach the main menu"
fi
[ "$failures" -eq 0 ] || cat "$work/installed.out"

mv "$prefix/share/orvela-puzzle" "$prefix/share/moved-away"
run without-data
wait "$pid"
rc=$?
[ "$rc" -eq 1 ] || fail "without its data the game ended with status $rc, not 1"
grep -q "The game's data could not be found" "$work/without-data.out" ||
  fail "without its data the game did not say so: $(cat "$work/without-data.out")"

mv "$prefix/share/moved-away" "$prefix/share/orvela-puzzle"
cmake -DMANIFEST="$manifest" -P "$source/cmake/OrvelaUninstall.cmake" >"$work/uninstall.log" 2>&1 ||
  fail "uninstall: $(cat "$work/uninstall.log")"
left=$(find "$prefix" \( -type f -o -type d -name 'orvela-puzzle*' \) -print)
[ -z "$left" ] || fail "the uninstall left: $left"

[ "$failures" -eq 0 ] && echo "ok: installed into $prefix, validated, started, closed, uninstalled"
exit $((failures > 0))
