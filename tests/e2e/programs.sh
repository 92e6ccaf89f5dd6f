#!/usr/bin/env bash
# Programs that know their desk, with real Notepads: "このプログラムを開くデスク" in the tray menu sets Notepad's
# desk, and a Notepad started later goes there, minimised, and comes back on a switch there; the desk's name
# shows over the screen after the switch and is gone within two seconds, the focus where it was; ended with
# Notepads on desks 1 and 2, KORUVAN sends each to its desk again at the next start.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF2
0=ホーム,,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF2
e2e_add_user_value ShowDeskName 1
first="note1.txt - メモ帳"
later="note2.txt - メモ帳"

focused() { probe order | sed -n 's/^focus: //p'; }

e2e_require "the bar is shown" e2e_start_program
e2e_require "the tray icon is shown" e2e_tray_icon_shown
e2e_open_notepad 1
e2e_require "a Notepad is open" probe wait "$first" 30000
probe activate "$first"

# The window group's third item; its submenu: "(決めない)", then the desks.
e2e_require "the tray menu opens" e2e_tray_menu Down Down Down Down Down Right Down Down Down
shot="$E2E_SHOTS/tray-menu-program-full.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/tray-menu-program.png" $((MENU_LEFT - 200)) $((MENU_TOP - 12)) "$E2E_SCREEN_W" \
    "$E2E_SCREEN_H"
e2e_keys Return
e2e_menu_closed
e2e_expect_eq "趣味 is written as Notepad's desk, by its identity" "$(e2e_ini_get DeskIds 2)" \
    "$(e2e_ini_get ProgramDesks notepad.exe)"
e2e_expect_eq "the open Notepad stays" "iconic=0 visible=1" "$(e2e_shown_as "$first" "iconic=0 visible=1")"

e2e_open_notepad 2
e2e_require "a second Notepad starts" probe wait "$later" 30000
e2e_expect_eq "it goes to 趣味, minimised" "iconic=1 visible=1" "$(e2e_shown_as "$later" "iconic=1 visible=1")"

# The first Notepad to 仕事 by the move key, before the switch.
probe activate "$first"
e2e_keys ctrl+alt+shift+2
e2e_require "Ctrl+Alt+Shift+2 moves the first Notepad" test \
    "$(e2e_shown_as "$first" "iconic=1 visible=1")" = "iconic=1 visible=1"

e2e_raise_bar
e2e_keys ctrl+alt+3
e2e_require "Ctrl+Alt+3 switches to 趣味" e2e_wait_ini User LastUse 2 10
e2e_expect_true "its name shows over the screen" probe wait "趣味" 2000
shown_at=$(date +%s%N)
focus_shown=$(focused)
shot="$E2E_SHOTS/desk-name-full.png"
e2e_screenshot "$shot"
read -r _ left top right bottom _ <<<"$(probe rect "趣味")"
e2e_crop "$shot" "$E2E_SHOTS/desk-name.png" $((left - 120)) $((top - 80)) $((right + 120)) $((bottom + 80))
e2e_expect_eq "and is gone within two seconds" "iconic=0 visible=0" "$(e2e_shown_as "趣味" "iconic=0 visible=0")"
e2e_expect_true "(in $((($(date +%s%N) - shown_at) / 1000000)) ms)" \
    test $((($(date +%s%N) - shown_at) / 1000000)) -lt 2500
e2e_expect_eq "the Notepad sent there is back" "iconic=0 visible=1" "$(e2e_shown_as "$later" "iconic=0 visible=1")"
e2e_expect_true "the name never takes the focus ($focus_shown)" test "$focus_shown" = "$(focused)" -a "$focus_shown" != 趣味

# --- ended with Notepads on desks 1 and 2, started again ---
probe close "$E2E_CAPTION"
e2e_require "the close box ends it" e2e_wait_program_end 10
e2e_expect_eq "each desk's Notepad is remembered" "1 note1.txt|2 note2.txt" \
    "$(awk -F'\t' '{ sub(/ - .*/, "", $3); print $1, $3 }' "$E2E_PROG/KORUVAN.windows" | tr -d '\r' |
        sed "s/^$(e2e_ini_get DeskIds 1) /1 /; s/^$(e2e_ini_get DeskIds 2) /2 /" | sort | paste -sd '|')"
probe restore "$first"
e2e_require "the first Notepad is restored" test "$(e2e_shown_as "$first" "iconic=0 visible=1")" = "iconic=0 visible=1"
e2e_require "the bar is shown again" e2e_start_program
e2e_expect_eq "the start sends the first Notepad to 仕事" "iconic=1 visible=1" \
    "$(e2e_shown_as "$first" "iconic=1 visible=1")"
e2e_expect_eq "and leaves the second on 趣味, on screen" "iconic=0 visible=1" \
    "$(e2e_shown_as "$later" "iconic=0 visible=1")"
e2e_raise_bar
e2e_keys ctrl+alt+2
e2e_require "Ctrl+Alt+2 switches to 仕事" e2e_wait_ini User LastUse 1 10
e2e_expect_eq "the first Notepad is there" "iconic=0 visible=1" "$(e2e_shown_as "$first" "iconic=0 visible=1")"
e2e_expect_eq "the second has left with 趣味" "iconic=1 visible=1" "$(e2e_shown_as "$later" "iconic=1 visible=1")"

e2e_finish
