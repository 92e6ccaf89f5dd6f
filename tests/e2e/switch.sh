#!/usr/bin/env bash
# Desk switching by a click on a desk button: desks 0, 1 and 2, each with Desktop items of its own, desk 0 with
# two open application windows (one maximised). A click on desk 2 stores the Desktop's items as desk 0's, puts
# desk 2's items and wallpaper in place, minimises the windows and records LastUse; a click on desk 0 brings
# everything back, the maximised window maximised; a second visit to desk 2 leaves desk 0's windows minimised.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
red='#C03030' blue='#3050C0'
red_bmp=$(e2e_bitmap red.bmp "$red")
blue_bmp=$(e2e_bitmap blue.bmp "$blue")
e2e_set_appearance "$red_bmp" 2 "(None)" "0 128 0"

e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,2
1=仕事,,(None),0 128 0,0
2=趣味,$blue_bmp,(None),0 128 0,2
EOF
# Desk 0's stored item, plus one made on the Desktop during the session and a folder, which never moves.
echo "memo of desk 0" >"$E2E_PROG/dsk0/memo.txt"
echo "draft made on the Desktop" >"$E2E_DESKTOP/draft.txt"
mkdir "$E2E_DESKTOP/フォルダ"
echo "plan of desk 2" >"$E2E_PROG/dsk2/plan.txt"
echo "予定: 月曜" >"$E2E_PROG/dsk2/予定表.txt"
echo "work" >"$E2E_PROG/dsk1/work.txt"

e2e_require "two application windows are open" e2e_open_windows 2
e2e_require "the bar is shown" e2e_start_program
sleep 0.8  # the first timer tick puts the bar above the maximised window
e2e_require "the bar's rectangles are readable" e2e_measure
e2e_expect_eq "desk 0's items are on the Desktop at start" "draft.txt memo.txt フォルダ" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "probe 2 is maximised on desk 0" "iconic=0 zoomed=1 visible=1 topmost=0" "$(probe state "probe 2")"

# A click on the current desk does nothing: no write of the settings file, no window minimised.
stamp=$(stat -c %y "$E2E_PROG/KORUVAN.ini")
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 1)
sleep 0.5
e2e_expect_eq "a click on the current desk writes nothing" "$stamp" "$(stat -c %y "$E2E_PROG/KORUVAN.ini")"
e2e_expect_eq "a click on the current desk minimises nothing" "iconic=0" "$(probe state "probe 1" | cut -d' ' -f1)"

# --- to desk 2 ---
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 2 0)
e2e_require "LastUse=2 is written" e2e_wait_ini User LastUse 2 15
sleep 0.5  # the redraw after the settings write
e2e_expect_eq "the Desktop holds desk 2's items" "plan.txt フォルダ 予定表.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "Japanese item content intact" "予定: 月曜" "$(cat "$E2E_DESKTOP/予定表.txt")"
e2e_expect_eq "dsk0 holds what the Desktop held" "draft.txt memo.txt" "$(e2e_names "$E2E_PROG/dsk0")"
e2e_expect_eq "the session's draft is kept in dsk0" "draft made on the Desktop" "$(cat "$E2E_PROG/dsk0/draft.txt")"
e2e_expect_eq "dsk2 keeps its stored items" "plan.txt 予定表.txt" "$(e2e_names "$E2E_PROG/dsk2")"
e2e_expect_eq "the folder stays on the Desktop" "" "$(e2e_names "$E2E_DESKTOP/フォルダ")"
e2e_expect_eq "registry Wallpaper is desk 2's" "$blue_bmp" "$(probe reg-get "$E2E_REG_DESKTOP" Wallpaper)"
e2e_expect_eq "the wallpaper in effect is desk 2's" "$blue_bmp" "$(probe wallpaper)"
e2e_expect_eq "probe 1 is minimised" "iconic=1" "$(probe state "probe 1" | cut -d' ' -f1)"
e2e_expect_eq "probe 2 is minimised" "iconic=1" "$(probe state "probe 2" | cut -d' ' -f1)"

e2e_pointer_away
shot="$E2E_SHOTS/switch-full.png"
e2e_screenshot "$shot"
e2e_measure
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }
# shellcheck disable=SC2046
{
    e2e_expect_pixel "desk 2's button is drawn pressed" "$shot" $(at $((2 * (size + 2) + 2)) 2) "$blue"
    e2e_expect_pixel_not "desk 2's slot corner is free" "$shot" $(at $((2 * (size + 2) + 1)) 1) "$blue"
    e2e_expect_pixel "desk 0's button is raised" "$shot" $(at 0 0) "$red"
    # Wine's desktop centres a wallpaper it is asked to stretch.
    e2e_expect_pixel "the desktop shows desk 2's wallpaper" "$shot" $((E2E_SCREEN_W / 2)) $((E2E_SCREEN_H / 2)) "$blue"
}
# The whole screen at half size: the bar, the new wallpaper, the minimised windows.
convert "$shot" -resize 50% -strip "$E2E_SHOTS/switch.png"

# --- back to desk 0 ---
e2e_measure
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 0)
e2e_require "LastUse=0 is written" e2e_wait_ini User LastUse 0 15
sleep 0.3
e2e_expect_eq "probe 1 is shown again, normal" "iconic=0 zoomed=0 visible=1 topmost=0" "$(probe state "probe 1")"
e2e_expect_eq "probe 2 is shown again, maximised" "iconic=0 zoomed=1 visible=1 topmost=0" "$(probe state "probe 2")"
e2e_expect_eq "the Desktop holds desk 0's items again" "draft.txt memo.txt フォルダ" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "dsk2 holds what the Desktop held" "plan.txt 予定表.txt" "$(e2e_names "$E2E_PROG/dsk2")"
e2e_expect_eq "the wallpaper in effect is desk 0's" "$red_bmp" "$(probe wallpaper)"

e2e_expect_eq "the bar is still topmost" "topmost=1" "$(probe state "$E2E_CAPTION" | cut -d' ' -f4)"

# --- to desk 2 once more: desk 0's windows, minimised while desk 2 was current, are not desk 2's ---
e2e_raise_bar
e2e_measure
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 2 0)
e2e_require "LastUse=2 is written again" e2e_wait_ini User LastUse 2 15
sleep 0.3
e2e_expect_eq "the Desktop holds desk 2's items again" "plan.txt フォルダ 予定表.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "probe 1 stays minimised on desk 2" "iconic=1" "$(probe state "probe 1" | cut -d' ' -f1)"
e2e_expect_eq "probe 2 stays minimised on desk 2" "iconic=1" "$(probe state "probe 2" | cut -d' ' -f1)"

e2e_pointer_away
e2e_finish
