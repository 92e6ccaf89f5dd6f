#!/usr/bin/env bash
# What the bar learns of without asking: a wallpaper and a background colour written from outside are taken
# into the current desk at once; an auto-hidden bar slides away five seconds after the pointer leaves it, not
# before.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

red_bmp=$(e2e_bitmap red.bmp '#C03030')
blue_bmp=$(e2e_bitmap blue.bmp '#3050C0')
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"
{
    printf '[User]\nLastUse=0\nTopwindow=1\nPosition=0\nAutoHide=1\nSizeNum=0\n[DeskTop]\n'
    printf '0=ホーム,%s,(None),0 128 0,0\n1=仕事,,(None),0 128 0,0\n' "$red_bmp"
} | e2e_write_ini

e2e_require "the bar is shown" e2e_start_program
sleep 1

desk0() { e2e_ini_get DeskTop 0; }
probe reg-set "$E2E_REG_DESKTOP" Wallpaper "$blue_bmp"
e2e_expect_true "a wallpaper written to the registry is the desk's within a second" \
    e2e_wait_ini DeskTop 0 "ホーム,$blue_bmp,(None),0 128 0,0" 1
probe reg-set "$E2E_REG_COLORS" Background "10 20 30"
e2e_expect_true "so is the desktop's colour" e2e_wait_ini DeskTop 0 "ホーム,$blue_bmp,(None),10 20 30,0" 1
e2e_log "desk 0: $(desk0)"

# The bar's top edge: on screen while shown, above it once hidden.
bar_top() { e2e_measure && echo "$BAR_TOP"; }
e2e_require "the bar is readable" e2e_measure
# The strip a hidden bar leaves at the screen's top edge.
xdotool mousemove $((BAR_LEFT + 20)) 1
sleep 0.05
xdotool mousemove $((BAR_LEFT + 21)) 1
left_at=$(date +%s.%N)
# A probe takes up to a second or more to start on a loaded machine: each reading is timed from the last move.
sleep_until() { sleep "$(awk -v t="$left_at" -v d="$1" -v n="$(date +%s.%N)" 'BEGIN { s = t + d - n; print (s > 0 ? s : 0) }')"; }
sleep 0.3
e2e_expect_eq "the pointer over the bar shows it" 0 "$(bar_top)"
e2e_pointer_away
sleep_until 2.5
e2e_expect_eq "seconds after the pointer left, it is still shown" 0 "$(bar_top)"
hidden() { [ "$(bar_top)" -lt 0 ]; }
sleep_until 6.5
e2e_expect_true "past five idle seconds, it is hidden" hidden

probe close "$E2E_CAPTION"
e2e_require "the program ends" e2e_wait_program_end 10
e2e_finish
