#!/usr/bin/env bash
# Desks that keep apart, from outside: with HideOtherDeskWindows=1 a switch hides the Notepads (off the taskbar)
# and the return shows them; a KORUVAN killed while they are hidden leaves a record by which the next start shows
# them; Ctrl+Alt+Shift+3 moves the active Notepad to the third desk, Ctrl+Alt+Shift+P pins it; ending by the
# tray menu shows what was hidden; the tray menu ticks and unticks the Run value.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

run_key='Software\Microsoft\Windows\CurrentVersion\Run'
probe reg-save "$E2E_DIR/run.saved" "$run_key" KORUVAN
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
e2e_add_user_value HideOtherDeskWindows 1
note="note1.txt - メモ帳"
record="$E2E_PROG/KORUVAN.hidden"

on_taskbar() { probe taskbar | grep -qxF "$1"; }
# A click on the window's title bar makes it the active window, as the user would.
activate() {
    local left top right
    read -r _ left top right _ <<<"$(probe rect "$1")"
    xdotool mousemove $(((left + right) / 2)) $((top + 10)) click 1
    sleep 0.3
}

e2e_require "the bar is shown" e2e_start_program
e2e_require "the tray icon is shown" e2e_tray_icon_shown
# Not maximised: the notification area stays in sight.
e2e_require "two Notepads are open" e2e_open_notepads 2 plain
e2e_raise_bar
taskbar_before=$(on_taskbar "$note" && echo yes)

e2e_pointer_away
e2e_keys ctrl+alt+2
e2e_require "Ctrl+Alt+2 switches" e2e_wait_ini User LastUse 1 10
e2e_expect_eq "the switch hides the Notepad" "iconic=0 visible=0" "$(e2e_shown_as "$note" "iconic=0 visible=0")"
e2e_expect_true "off the taskbar" test -n "$taskbar_before" -a -z "$(on_taskbar "$note" && echo yes)"
e2e_expect_eq "the record names both, on desk 0" "0 0" "$(grep -v '^logon ' "$record" | cut -f3 | tr -d '\r' | paste -sd ' ')"
e2e_keys ctrl+alt+1
e2e_expect_eq "the return shows it" "iconic=0 visible=1" "$(e2e_shown_as "$note" "iconic=0 visible=1")"
e2e_expect_true "back on the taskbar" on_taskbar "$note"

e2e_keys ctrl+alt+2
e2e_require "hidden again" test "$(e2e_shown_as "$note" "iconic=0 visible=0")" = "iconic=0 visible=0"
kill -KILL "$E2E_PROGRAM_PID"
wait "$E2E_PROGRAM_PID" 2>/dev/null
e2e_require "the killed program is gone" probe gone "$E2E_CAPTION" 5000
e2e_require "the bar is shown again" e2e_start_program
e2e_expect_eq "the start shows the killed run's windows, minimised" "iconic=1 visible=1" \
    "$(e2e_shown_as "$note" "iconic=1 visible=1")"
e2e_expect_true "and removes the record" test ! -e "$record"

probe restore "$note"
sleep 0.3
activate "$note"
e2e_keys ctrl+alt+shift+3
e2e_expect_eq "Ctrl+Alt+Shift+3 takes the Notepad off the screen" "iconic=0 visible=0" \
    "$(e2e_shown_as "$note" "iconic=0 visible=0")"
e2e_keys ctrl+alt+3
e2e_require "Ctrl+Alt+3 switches to the third desk" e2e_wait_ini User LastUse 2 10
e2e_expect_eq "the Notepad is there" "iconic=0 visible=1" "$(e2e_shown_as "$note" "iconic=0 visible=1")"

activate "$note"
e2e_keys ctrl+alt+shift+p ctrl+alt+1
e2e_require "Ctrl+Alt+1 switches" e2e_wait_ini User LastUse 0 10
sleep 0.5
e2e_expect_eq "the pinned Notepad stays" "iconic=0 visible=1" "$(e2e_shown_as "$note" "iconic=0 visible=1")"

activate "$note"
e2e_tray_menu
shot="$E2E_SHOTS/tray-menu-windows-full.png"
e2e_screenshot "$shot"
e2e_expect_eq "the tray menu: its desks, the window group, the greyed following item, the options" \
    "enabled enabled enabled - enabled enabled enabled enabled enabled - enabled greyed enabled - enabled enabled - enabled enabled - enabled enabled" \
    "$(e2e_menu_look "$shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM")"
e2e_keys Down Down Down Down Right  # "このウィンドウを移動"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/tray-menu-windows.png" $((MENU_LEFT - 180)) $((MENU_TOP - 12)) "$E2E_SCREEN_W" \
    "$E2E_SCREEN_H"
e2e_keys Escape Escape
e2e_menu_closed

e2e_tray_menu Up Up Up Up Up Up Up Up Up Up Return  # "Windows の起動時に開始", counted from the end past the three toggles
exe="\"$E2E_WIN_DIR\\prog\\KORUVAN.exe\""
e2e_expect_eq "ticked, the Run value holds the exe in quotes" "$exe" "$(probe reg-get "$run_key" KORUVAN)"
probe reg-set "$run_key" KORUVAN '"C:\other\KORUVAN.exe"'
e2e_tray_menu Up Up Up Up Up Up Up Up Up Up Return
e2e_expect_eq "another copy's value is replaced" "$exe" "$(probe reg-get "$run_key" KORUVAN)"
e2e_tray_menu Up Up Up Up Up Up Up Up Up Up Return
e2e_expect_true "unticked, the value goes" test -z "$(probe reg-get "$run_key" KORUVAN)"

activate "$note"
e2e_keys ctrl+alt+shift+p ctrl+alt+2
e2e_require "unpinned, it is hidden by the switch" test "$(e2e_shown_as "$note" "iconic=0 visible=0")" = \
    "iconic=0 visible=0"
e2e_tray_menu Up Return  # "プログラムの終了"
e2e_require "the program ends by its menu" e2e_wait_program_end 20
e2e_expect_eq "its end shows the Notepad, minimised" "iconic=1 visible=1" "$(e2e_shown_as "$note" "iconic=1 visible=1")"
e2e_expect_true "and removes the record" test ! -e "$record"

probe reg-restore "$E2E_DIR/run.saved"
e2e_finish
