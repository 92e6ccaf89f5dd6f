#!/usr/bin/env bash
# Desks from the keyboard and the notification area: Ctrl+Alt+2 switches to the second named desk (files and
# LastUse), Ctrl+Alt+Left back; the tray icon shows the current desk's number, its menu lists the named desks
# and switches, and the icon goes when the program ends.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
3=趣味,,(None),0 128 0,0
EOF
echo "home" >"$E2E_PROG/dsk0/home.txt"
echo "hobby" >"$E2E_PROG/dsk3/hobby.txt"

tray_gone() {
    local i
    for i in $(seq 20); do
        probe tray >/dev/null || return 0
        sleep 0.2
    done
    return 1
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the tray icon is shown" e2e_tray_icon_shown

e2e_pointer_away
e2e_keys ctrl+alt+2
e2e_expect_true "Ctrl+Alt+2 switches to the second named desk" e2e_wait_ini User LastUse 3 10
e2e_expect_eq "its items are on the Desktop" "hobby.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 0's are stored" "home.txt" "$(e2e_names "$E2E_PROG/dsk0")"
e2e_keys ctrl+alt+Left
e2e_expect_true "Ctrl+Alt+Left goes back to the desk before it" e2e_wait_ini User LastUse 0 10

xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
e2e_require "a click on the icon opens its menu" e2e_wait_menu
shot="$E2E_SHOTS/tray-menu-full.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/tray-menu.png" $((MENU_LEFT - 12)) $((MENU_TOP - 12)) "$E2E_SCREEN_W" "$E2E_SCREEN_H"
e2e_expect_eq "two desks, the window group (no window: greyed), the icon option, the toggle Wine cannot have, the desk's name, the options menu" \
    "enabled enabled - greyed greyed greyed enabled enabled - enabled greyed enabled - enabled enabled - enabled enabled - enabled enabled" \
    "$(e2e_menu_look "$shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM")"
e2e_keys Down Down Return  # ホーム, 趣味
e2e_expect_true "its second desk switches" e2e_wait_ini User LastUse 3 10
e2e_expect_eq "the items follow" "hobby.txt" "$(e2e_names "$E2E_DESKTOP")"

probe close "$E2E_CAPTION"
e2e_expect_true "the program ends" e2e_wait_program_end 10
e2e_expect_true "the icon goes with it" tray_gone

e2e_finish
