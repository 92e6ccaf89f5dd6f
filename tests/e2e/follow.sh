#!/usr/bin/env bash
# Following the system's virtual desktops. Wine has none: the script writes the shell's registry record of
# them as Windows does, and checks from outside what a user would see: the tray item, the desks made, tied,
# renamed and deleted (with the balloon that says so), the Desktop's items and LastUse after each system switch,
# and a start after a kill in the middle of a followed switch.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_use_system_desktops
vd=$E2E_REG_DESKTOPS
session='Software\Microsoft\Windows\CurrentVersion\Explorer\SessionInfo\<session>\VirtualDesktops'
bin() { e2e_desktop_bytes "$@"; }
guid() { e2e_desktop_id "$1"; }
list() { probe reg-binary "$vd" VirtualDesktopIDs "$(bin "$@")"; }
current() { probe reg-binary "$vd" CurrentVirtualDesktop "$(bin "$1")"; }
desk_line() { e2e_ini_get DeskTop "$1" | cut -d, -f1; }
wait_desk() {  # desk name(empty: gone) seconds
    local i
    for i in $(seq $(($3 * 10))); do
        [ "$(desk_line "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

e2e_set_appearance "" 0 "(None)" "0 128 0"
sea=$(e2e_bitmap sea.bmp '#3A6FD9')
forest=$(e2e_bitmap forest.bmp '#2E8B57')
e2e_write_desks 0 <<EOF2
0=ホーム,$sea,(None),0 128 0,0
3=趣味,$forest,(None),0 128 0,0
EOF2
echo "home" >"$E2E_PROG/dsk0/home.txt"
echo "hobby" >"$E2E_PROG/dsk3/hobby.txt"

export KORUVAN_TIMING=1  # the timing log counts the switches of a burst
e2e_require "the bar is shown" e2e_start_program
sleep 0.8
open_tray_menu() {
    local rect left top right bottom
    rect=$(probe tray) || return 1
    read -r left top right bottom <<<"$rect"
    xdotool mousemove $((right - 12)) $(((top + bottom) / 2)) click 1
    e2e_wait_menu
}
e2e_require "the tray menu opens" open_tray_menu
shot="$E2E_DIR/menu-off.png"
e2e_screenshot "$shot"
# The desks, the window group, the icon option, the item and the desk's-name option, the options menu.
e2e_expect_eq "without virtual desktops the item is disabled" "- enabled greyed enabled -" \
    "$(e2e_menu_look "$shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM" | cut -d' ' -f9-13)"
e2e_keys Escape

# Three system desktops for two desks: the current one to the current desk, the next to 趣味, a new desk for
# the third in the first free slot.
list 11 22 33 && current 11
e2e_require "the tray menu opens again" open_tray_menu
e2e_keys Up Up Up Up Up Up Up Up Return  # from the bottom: the options menu's six lines, the desk's name, the item
e2e_expect_true "the item turns following on" e2e_wait_ini User FollowSystemDesks 1 5
e2e_expect_eq "the desks are tied in the system's order" "$(guid 11) $(guid 22) $(guid 33)" \
    "$(e2e_ini_get SystemDesks 0) $(e2e_ini_get SystemDesks 3) $(e2e_ini_get SystemDesks 1)"
e2e_expect_eq "the third desktop has a new desk" "デスクトップ 3" "$(desk_line 1)"

e2e_require "the tray menu opens checked" open_tray_menu
shot="$E2E_SHOTS/follow-full.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/follow-menu.png" $((MENU_LEFT - 12)) $((MENU_TOP - 12)) "$E2E_SCREEN_W" "$E2E_SCREEN_H"
e2e_crop_window "$shot" "$E2E_SHOTS/follow-bar.png" "$E2E_CAPTION"
e2e_keys Escape

# The system switches: the items follow, the windows are the system's.
ms=$(probe reg-binary-timed "$E2E_WIN_DIR\\prog\\KORUVAN.ini" 3 "$vd" CurrentVirtualDesktop "$(bin 22)")
e2e_expect_true "a system switch switches the desk" test -n "$ms"
e2e_log "registry written to LastUse: ${ms%.*} ms"
e2e_expect_eq "its items are on the Desktop" "hobby.txt" "$(e2e_names "$E2E_DESKTOP")"

# Five switches in a burst end at the last desktop: what comes during a switch waits for its end, and is then
# read once. The third desk's items make its switch long enough for that.
for i in $(seq 100); do echo "$i" >"$E2E_PROG/dsk1/note$i.txt"; done
: >"$E2E_PROG/KORUVAN-timing.log"
probe reg-binary +20 "$vd" CurrentVirtualDesktop "$(bin 33)" "$vd" CurrentVirtualDesktop "$(bin 11)" \
    "$vd" CurrentVirtualDesktop "$(bin 22)" "$vd" CurrentVirtualDesktop "$(bin 33)" \
    "$vd" CurrentVirtualDesktop "$(bin 11)"
e2e_expect_true "a burst of five ends at the last" e2e_wait_ini User LastUse 0 5
sleep 0.5
e2e_log "the burst of five made $(grep -c '^follow' "$E2E_PROG/KORUVAN-timing.log") switches"
e2e_expect_true "in fewer switches" test "$(grep -c '^follow' "$E2E_PROG/KORUVAN-timing.log")" -lt 5
e2e_expect_eq "with home's items" "home.txt" "$(e2e_names "$E2E_DESKTOP")"

# The Windows 10 layout is read where Windows 11's is absent.
probe reg-binary "$session" CurrentVirtualDesktop "$(bin 33)" "$vd" CurrentVirtualDesktop -
e2e_expect_true "Windows 10's current desktop is followed" e2e_wait_ini User LastUse 1 5

# A new desktop, named later; a removal undone within five seconds; a removal that stays.
list 11 22 33 44
e2e_expect_true "a new desktop gets a desk" wait_desk 2 "デスクトップ 4" 5
e2e_measure
e2e_expect_eq "and a button on the bar" 4 $(((CLIENT_W + 2) / 42))
probe reg-set "$vd\\Desktops\\$(guid 44)" Name "旅行"
list 11 22 33 44
e2e_expect_true "and follows its name" wait_desk 2 "旅行" 5
list 11 33 44
sleep 1
list 11 22 33 44
sleep 5
e2e_expect_eq "a desktop back within five seconds keeps its desk" "趣味" "$(desk_line 3)"
list 11 33 44
e2e_expect_true "a desktop removed for good takes its desk" wait_desk 3 "" 10
e2e_expect_eq "whose items go to the pool" "hobby.txt" "$(e2e_names "$E2E_PROG/DskTop")"
sleep 2.5  # a balloon says so; Wine's shell shows one two seconds after it is asked for
shot="$E2E_DIR/balloon.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/follow-balloon.png" $((E2E_SCREEN_W - 800)) $((E2E_SCREEN_H - 100)) "$E2E_SCREEN_W" \
    "$E2E_SCREEN_H"

# Killed while following a switch: the start finishes it, then follows where the system is now.
for i in $(seq 200); do echo "$i" >"$E2E_PROG/dsk2/trip$i.txt"; done
probe reg-binary "$session" CurrentVirtualDesktop "$(bin 44)"
deadline=$((SECONDS + 20))
until [ "$(find "$E2E_DESKTOP" -name 'trip*' | wc -l)" -ge 50 ] || [ $SECONDS -gt $deadline ]; do :; done
kill -KILL "$E2E_PROGRAM_PID"
wait "$E2E_PROGRAM_PID" 2>/dev/null
e2e_require "the killed program is gone" probe gone "$E2E_CAPTION" 5000
probe reg-binary "$session" CurrentVirtualDesktop "$(bin 33)"
e2e_require "the bar is shown again" e2e_start_program
e2e_expect_true "the start follows the system's current desktop" e2e_wait_ini User LastUse 1 10
e2e_expect_eq "no item is lost" "200 0" \
    "$(find "$E2E_PROG/dsk2" -name 'trip*' | wc -l) $(find "$E2E_DESKTOP" -name 'trip*' | wc -l)"

probe close "$E2E_CAPTION"
e2e_require "the program ends" e2e_wait_program_end 10
e2e_finish
