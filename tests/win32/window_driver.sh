# Helpers for driving Ferry.exe under Wine on the test display with
# xdotool, as a user would. Sourced by ferry_exe_test.sh and the release
# test (tests/dist/dist_test.sh).
: "${DISPLAY:?needs a display (make test-windows runs ctest under xvfb-run)}"
: "${WINEPREFIX:?needs a Wine prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fail() { echo "${FAIL_PREFIX:-window test}: $*" >&2; exit 1; }
# The Windows path of a Linux path: Wine maps / to Z:.
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }

# Prints the id of the first window named exactly $1, waiting up to $2 s.
wait_window() {
  local deadline=$((SECONDS + $2)) id
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# Waits up to $2 s for process $1 to end.
wait_exit() {
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
# Writes window $1's picture to $2 once two shots in a row agree, so that
# it shows the window painted.
settled_shot() {
  local previous="" shot deadline=$((SECONDS + 10))
  while ((SECONDS < deadline)); do
    shot=$(import -window "$1" png:- | md5sum)
    [ "$shot" = "$previous" ] && break
    previous=$shot
    sleep 0.2
  done
  import -window "$1" "$2"
}
key() { xdotool key --clearmodifiers --delay 50 "$@"; }

# Converts with the window: starts $1 (a Ferry.exe), types the Windows path
# $2 into the file box, ticks Buildings, Exclusions and Airport, and presses
# Button1; the window must then close by itself.
convert_with_window() {
  local exe=$1 source=$2 pid form
  wine "$exe" &
  pid=$!
  form=$(wait_window Form1 60) || fail "the window of $exe did not appear"
  xdotool windowfocus --sync "$form"
  key End shift+Home
  xdotool type --delay 20 "$source"
  key Tab Tab Tab space Tab space Tab space  # Edit1, Button1, the three boxes ticked
  key shift+Tab shift+Tab shift+Tab space  # back to Button1, and press it
  wait_exit "$pid" 60 || { kill "$pid" 2>/dev/null; fail "the window stayed open after the run"; }
}
