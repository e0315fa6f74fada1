#!/usr/bin/env bash
# Ferry.exe as a user drives it, under Wine on the test display: type a
# source path, tick two boxes, press Button1 from the keyboard; then a second
# start that restores those values and stops on a missing source; then, with
# the Windows directory refusing the settings file as it does for a standard
# user, a close that keeps the values in the per-user file without a word,
# and a start that restores them from there.
# usage: ferry_exe_test.sh FERRY_EXE [SCREENSHOT]
set -euo pipefail
exe=$1 screenshot=${2:-}

FAIL_PREFIX=ferry_exe_test
# shellcheck source=window_driver.sh
source "$(dirname "$0")/window_driver.sh"

# A short folder, so that the picture shows the whole path.
work=$(mktemp -d /tmp/ferry-XXXX)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/program" "$work/my scenery"
cp "$exe" "$work/program/Ferry.exe"
ini="$WINEPREFIX/drive_c/windows/Ferry.INI"
rm -f "$ini"
source="$work/my scenery/KJFK.sca"
printf 'macro( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar01 0 0 0 0 0 4\r\n' >"$source"
source_win=$(winpath "$source")

# First start: a successful run.
wine "$work/program/Ferry.exe" &
pid=$!
form=$(wait_window Form1 60) || fail "the window did not appear"
# The task bar names a program by the window that owns its button: here one
# captioned with the title, which is never seen.
xdotool search --name '^Ferry$' >/dev/null || fail "no window named Ferry owns the task-bar button"
xdotool search --onlyvisible --name '^Ferry$' >/dev/null && fail "the window named Ferry is seen"
xdotool windowfocus --sync "$form"
xdotool type --delay 20 "$source_win"
key Tab Tab Tab space Tab Tab space          # Edit1, Button1, CheckBox1 on, CheckBox2, CheckBox3 on
key shift+Tab shift+Tab shift+Tab space      # back to Button1, and press it
wait_exit "$pid" 60 || fail "the window stayed open after the run"
xdotool search --name '^Form1$' >/dev/null 2>&1 && fail "the window is still there"

document="$work/program/KJFK.xml"
[ -f "$document" ] || fail "no document $document"
grep -q 'name="HANGAR01"' "$document" || fail "the document lacks the library object"
tail -c 11 "$document" | grep -q '</FSData>' || fail "the document is not complete"

[ -f "$ini" ] || fail "no settings file $ini"
settings=$(iconv -f UTF-16 -t UTF-8 "$ini" | tr -d '\r')
for line in "FilenameEdit1_FileName=$source_win" CheckBox1_Checked=True CheckBox2_Checked=False \
  CheckBox3_Checked=True Edit2_Text=tsign.api Edit1_Text=xmlobj.api Visible=0; do
  grep -qxF "$line" <<<"$settings" || fail "the settings file lacks «$line»: $settings"
done

# Second start: the values come back; a missing source is reported.
wine "$work/program/Ferry.exe" &
pid=$!
form=$(wait_window Form1 60) || fail "the window did not appear the second time"
if [ -n "$screenshot" ]; then settled_shot "$form" "$screenshot"; fi
xdotool windowfocus --sync "$form"
key End shift+Home
xdotool type --delay 20 "$(winpath "$work/missing.sca")"
key Tab Tab space
box=$(wait_window Ferry 60) || fail "no error box titled Ferry"
xdotool search --name '^Form1$' >/dev/null || fail "the window closed after a stopped run"
xdotool windowfocus --sync "$box"
key Return
deadline=$((SECONDS + 30))
while xdotool search --onlyvisible --name '^Ferry$' >/dev/null 2>&1; do
  ((SECONDS < deadline)) || fail "the error box did not close"
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the program ended after a stopped run"
xdotool windowfocus --sync "$form"
key alt+F4
wait_exit "$pid" 60 || fail "the window did not close on Alt+F4"
settings=$(iconv -f UTF-16 -t UTF-8 "$ini" | tr -d '\r')
grep -qxF "FilenameEdit1_FileName=$(winpath "$work/missing.sca")" <<<"$settings" ||
  fail "the second close did not save the file box: $settings"

# Third start: the Windows directory's settings file cannot be written (a
# folder has its name). The close shows no message and the values go to
# %APPDATA%\Ferry\Ferry.INI.
user_ini=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -1)
[ -n "$user_ini" ] || fail "no AppData\\Roaming folder in the Wine prefix"
user_ini="$user_ini/Ferry/Ferry.INI"
rm -rf "$(dirname "$user_ini")" "$ini"
mkdir "$ini"
third_win=$(winpath "$work/third.sca")
wine "$work/program/Ferry.exe" &
pid=$!
form=$(wait_window Form1 60) || fail "the window did not appear the third time"
xdotool windowfocus --sync "$form"
xdotool type --delay 20 "$third_win"
key alt+F4
deadline=$((SECONDS + 60))
while kill -0 "$pid" 2>/dev/null; do
  xdotool search --onlyvisible --name '^Ferry$' >/dev/null 2>&1 && fail "the close showed a message box"
  ((SECONDS < deadline)) || fail "the window did not close on Alt+F4 the third time"
  sleep 0.1
done
[ -f "$user_ini" ] || fail "no per-user settings file $user_ini"
settings=$(iconv -f UTF-16 -t UTF-8 "$user_ini" | tr -d '\r')
for line in "FilenameEdit1_FileName=$third_win" CheckBox1_Checked=False Edit1_Text=xmlobj.api; do
  grep -qxF "$line" <<<"$settings" || fail "the per-user file lacks «$line»: $settings"
done

# Fourth start: the values come back from the per-user file, and a close
# without a change keeps them.
wine "$work/program/Ferry.exe" &
pid=$!
form=$(wait_window Form1 60) || fail "the window did not appear the fourth time"
xdotool windowfocus --sync "$form"
key alt+F4
wait_exit "$pid" 60 || fail "the window did not close on Alt+F4 the fourth time"
settings=$(iconv -f UTF-16 -t UTF-8 "$user_ini" | tr -d '\r')
grep -qxF "FilenameEdit1_FileName=$third_win" <<<"$settings" ||
  fail "the fourth start did not restore the per-user file's values: $settings"
rm -rf "$(dirname "$user_ini")" "$ini"
echo "ferry_exe_test: passed"
