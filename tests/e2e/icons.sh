#!/usr/bin/env bash
# Each desk's Desktop icons come back where the user left them, under Wine with a stand-in for the shell's
# Desktop view (standins/desktop_view.dll, registered for this run as the in-process server of
# CLSID_ShellWindows; it places an arriving item in the first free cell and lists it 300 ms later, as Explorer
# does). The user arranges desk 0's items and desk 2's; over two round trips every item comes back to its place;
# a start that puts a deleted item back puts it at its place and leaves the others where the view kept them;
# with "アイコンの位置をデスクごとに保存" unticked in the tray menu a switch leaves the view's own placement.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

server='HKLM\Software\Classes\CLSID\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\InprocServer32'
view_dll="$E2E_WIN_DIR\\view\\desktop_view.dll"
mkdir -p "$E2E_DIR/view"
cp "$(dirname "$E2E_EXE")/standins/desktop_view.dll" "$E2E_DIR/view/"
printf 'autoarrange 0\nlag 300\n' >"$E2E_DIR/view/desktop-view.txt"
# Other scripts of this prefix must meet Wine's own view again.
wine reg export "$server" "$E2E_WIN_DIR\\server.reg" /y >/dev/null 2>&1 || rm -f "$E2E_DIR/server.reg"
view_end() {
    wine reg delete "$server" /f >/dev/null 2>&1
    [ -f "$E2E_DIR/server.reg" ] && wine reg import "$E2E_WIN_DIR\\server.reg" >/dev/null 2>&1
    e2e_cleanup
}
trap view_end EXIT
wine reg add "$server" /ve /d "$view_dll" /f >/dev/null 2>&1
wine reg add "$server" /v ThreadingModel /d Both /f >/dev/null 2>&1

e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
for name in a b c; do echo "$name" >"$E2E_PROG/dsk0/$name.txt"; done
for name in x y 予定; do echo "$name" >"$E2E_PROG/dsk2/$name.txt"; done
mkdir "$E2E_DESKTOP/フォルダ"

# "name=x,y ..." of the named items as the view lists them.
places() {
    local listing wanted
    listing=$(probe icons "$view_dll")
    for wanted in "$@"; do
        awk -v name="${wanted%%=*}" '{ at = $1 "," $2; sub(/^[^ ]+ [^ ]+ /, ""); if ($0 == name) print name "=" at }' \
            <<<"$listing"
    done | paste -sd ' '
}
# Waits up to 4 s for the items at the places given; prints where they are.
wait_places() {
    local got i
    for i in $(seq 20); do
        got=$(places "$@")
        [ "$got" = "$*" ] && break
        sleep 0.2
    done
    echo "$got"
}
drag() { probe icons "$view_dll" "$1" "$2" "$3"; }

home_placed="a.txt=0,0 b.txt=0,96 c.txt=0,192 フォルダ=0,288"
home_arranged="a.txt=880,0 b.txt=880,96 c.txt=880,192 フォルダ=0,288"
hobby_placed="x.txt=0,0 y.txt=0,96 予定.txt=0,192"
hobby_arranged="x.txt=400,300 y.txt=480,300 予定.txt=560,300"

export KORUVAN_TIMING=1
e2e_require "the bar is shown" e2e_start_program
e2e_require "the view places desk 0's items in its first free cells" test "$(wait_places $home_placed)" = "$home_placed"
drag a.txt 880 0 && drag b.txt 880 96 && drag c.txt 880 192
e2e_require "the user moves them to the right-hand column" test "$(places $home_arranged)" = "$home_arranged"

e2e_keys ctrl+alt+2
e2e_require "the switch to desk 2 is done" e2e_wait_ini User LastUse 2 10
e2e_expect_eq "desk 2, never arranged, keeps the view's placement" "$hobby_placed" "$(wait_places $hobby_placed)"
drag x.txt 400 300 && drag y.txt 480 300 && drag 予定.txt 560 300

for trip in 1 2; do
    e2e_keys ctrl+alt+1
    e2e_require "trip $trip: back at desk 0" e2e_wait_ini User LastUse 0 10
    e2e_expect_eq "trip $trip: desk 0's items are back at their places" "$home_arranged" "$(wait_places $home_arranged)"
    e2e_keys ctrl+alt+2
    e2e_require "trip $trip: back at desk 2" e2e_wait_ini User LastUse 2 10
    e2e_expect_eq "trip $trip: desk 2's items are back at theirs" "$hobby_arranged" "$(wait_places $hobby_arranged)"
done
e2e_log "$(cat "$E2E_PROG/KORUVAN-timing.log")"

# While the program is not running the user moves x.txt and deletes y.txt; the next start puts y.txt back
# from the desk's folder, and at its place, and leaves x.txt where the view keeps it.
probe close "$E2E_CAPTION" >/dev/null
e2e_require "the program ends" e2e_wait_program_end 10
drag x.txt 640 300
rm "$E2E_DESKTOP/y.txt"
e2e_require "the bar is shown again" e2e_start_program
e2e_expect_eq "the start puts the item it placed back, and only that one" "x.txt=640,300 y.txt=480,300 予定.txt=560,300" \
    "$(wait_places x.txt=640,300 y.txt=480,300 予定.txt=560,300)"

# The option off: the view's own placement stays.
e2e_require "the tray icon is shown" e2e_tray_icon_shown
e2e_pointer_away
layouts=$(cat "$E2E_PROG/KORUVAN.icons")
# From the bottom: the options menu's six lines, the desk's name, following, the option (tray_keys.sh checks
# the menu's look).
e2e_require "the tray menu opens" e2e_tray_menu Up Up Up Up Up Up Up Up Up Return
e2e_require "the option is turned off" e2e_wait_ini User KeepIconPositions 0 5
e2e_keys ctrl+alt+1
e2e_require "the switch to desk 0 is done" e2e_wait_ini User LastUse 0 10
e2e_require "the view places desk 0's items in its first free cells again" \
    test "$(wait_places $home_placed)" = "$home_placed"
sleep 2.5  # longer than a put-back waits
e2e_expect_eq "off: they stay there" "$home_placed" "$(places $home_placed)"
e2e_expect_eq "off: no layout is read" "$layouts" "$(cat "$E2E_PROG/KORUVAN.icons")"
e2e_finish
