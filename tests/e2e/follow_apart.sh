#!/usr/bin/env bash
# Following leaves the windows to the system, from outside: with HideOtherDeskWindows=1 a switch hides a
# Notepad; turning following on shows it, minimised, and greys the tray's window group; a followed switch
# hides and minimises nothing; a click on a desk with no system desktop presses Win+Ctrl+D once (seen by a
# low-level keyboard hook) and ties the desktop the system then records. Wine has no virtual desktops: the
# script writes the shell's record of them as Windows does (as follow.sh).
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_use_system_desktops
vd=$E2E_REG_DESKTOPS
bin() { e2e_desktop_bytes "$@"; }
list() { probe reg-binary "$vd" VirtualDesktopIDs "$(bin "$@")"; }
current() { probe reg-binary "$vd" CurrentVirtualDesktop "$(bin "$1")"; }
desk_name() { e2e_ini_get DeskTop "$1" | cut -d, -f1; }

e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
e2e_add_user_value HideOtherDeskWindows 1
echo "hobby" >"$E2E_PROG/dsk2/hobby.txt"
note1="note1.txt - メモ帳"
note2="note2.txt - メモ帳"

e2e_require "the bar is shown" e2e_start_program
e2e_require "the tray icon is shown" e2e_tray_icon_shown
e2e_require "two Notepads are open" e2e_open_notepads 2 plain
e2e_raise_bar
e2e_keys ctrl+alt+2
e2e_require "Ctrl+Alt+2 switches" e2e_wait_ini User LastUse 1 10
e2e_require "the hide option hides a Notepad" test "$(e2e_shown_as "$note1" "iconic=0 visible=0")" = "iconic=0 visible=0"

# Two system desktops for three desks: the current one to 仕事, the other to ホーム; 趣味 stays untied.
list 11 22 && current 22
e2e_tray_menu Up Up Up Up Up Up Up Up Return  # from the bottom: the options menu's six lines, the desk's name, the item
e2e_require "the item turns following on" e2e_wait_ini User FollowSystemDesks 1 5
e2e_expect_eq "turning on shows the hidden Notepad, minimised" "iconic=1 visible=1" \
    "$(e2e_shown_as "$note1" "iconic=1 visible=1")"
e2e_expect_eq "and removes the record of hidden windows" "" "$(cat "$E2E_PROG/KORUVAN.hidden" 2>/dev/null)"
e2e_tray_menu
shot="$E2E_SHOTS/follow-apart-menu-full.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/follow-apart-menu.png" $((MENU_LEFT - 12)) $((MENU_TOP - 12)) "$E2E_SCREEN_W" \
    "$E2E_SCREEN_H"
e2e_expect_eq "while following the window group is greyed" "greyed greyed greyed greyed" \
    "$(e2e_menu_look "$shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM" | cut -d' ' -f5-8)"
e2e_keys Escape
e2e_menu_closed

# The system switches: the items follow, every window stays as it is.
probe restore "$note1" && probe restore "$note2"
e2e_require "the Notepads are back" test "$(e2e_shown_as "$note2" "iconic=0 visible=1")" = "iconic=0 visible=1"
current 11
e2e_require "a system switch switches the desk" e2e_wait_ini User LastUse 0 10
sleep 0.5
e2e_expect_eq "a followed switch hides nothing" "iconic=0 visible=1 iconic=0 visible=1" \
    "$(e2e_shown_as "$note1" "iconic=0 visible=1") $(e2e_shown_as "$note2" "iconic=0 visible=1")"
e2e_expect_true "the hidden windows' record stays away" test ! -e "$E2E_PROG/KORUVAN.hidden"

# A click on 趣味, tied to no desktop: the system is asked for a new one, which the script then records.
wine "$E2E_PROBE" keys >"$E2E_DIR/keys.out" 2>/dev/null &
E2E_STARTED_PIDS+=("$!")
for i in $(seq 50); do grep -q ready "$E2E_DIR/keys.out" && break; sleep 0.1; done
e2e_raise_bar
e2e_measure
read -r x y <<<"$(e2e_button_centre 40 2 0)"
e2e_click_client "$x" "$y"
for i in $(seq 30); do grep -q 'win+ctrl+D' "$E2E_DIR/keys.out" && break; sleep 0.1; done
e2e_expect_eq "the click presses Win+Ctrl+D once" 1 "$(grep -c 'win+ctrl+D' "$E2E_DIR/keys.out")"
e2e_expect_eq "and nothing else with the Windows key" "win+ctrl+D" "$(grep '^win' "$E2E_DIR/keys.out" | paste -sd ' ')"
e2e_expect_eq "the Desktop waits for the system" "0" "$(e2e_ini_get User LastUse)"
list 11 22 33 && current 33
e2e_expect_true "the desk follows the desktop made for it" e2e_wait_ini User LastUse 2 10
e2e_expect_eq "tied to it" "$(e2e_desktop_id 33)" "$(e2e_ini_get SystemDesks 2)"
e2e_expect_eq "no desk is made for it" "" "$(desk_name 3)"
e2e_expect_eq "its items are on the Desktop" "hobby.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "and the windows are as they were" "iconic=0 visible=1 iconic=0 visible=1" \
    "$(e2e_shown_as "$note1" "iconic=0 visible=1") $(e2e_shown_as "$note2" "iconic=0 visible=1")"

probe close "$E2E_CAPTION"
e2e_require "the program ends" e2e_wait_program_end 10
e2e_finish
