#!/usr/bin/env bash
# The button-size dialog from the options menu's "任意": it opens at the bar's size with the preset's name, the
# current desk's wallpaper in the preview (the built-in picture while the wallpaper cannot be loaded) and the
# desk's name tip under the pointer; the scroll bar's arrow set to 45 gives SizeNum=45 and 45-pixel buttons;
# the keyboard set to 34 gives SizeNum=1 with "中" checked; Esc leaves SizeNum as it was.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

title="ボタンサイズ変更"
red='#C03030'
red_bmp="$E2E_WIN_DIR\\pics\\red.bmp"  # made once the bar runs: until then it cannot be loaded
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
EOF

# Opens the dialog from the options menu: 新規, 設定, (separator), ボタンサイズ, then in its submenu
# 大, 中, 小, 任意.
# shellcheck disable=SC2317  # run through e2e_require
open_size_dialog() {
    e2e_raise_bar
    e2e_measure
    e2e_click_client $((CLIENT_W - 3)) 5 3
    e2e_wait_menu || return 1
    e2e_keys Down Down Down Right Down Down Down Return
    probe wait "$title" 5000
}
control_text() { e2e_control_text "$title" "$1"; }
control_rect() { e2e_control_rect "$title" "$1"; }
# "text shown" or "text hidden" of a label.
label() { echo "$(control_text "$1") $(probe control "$title" "$1" | cut -d' ' -f1 | sed 's/visible=1/shown/; s/visible=0/hidden/')"; }
preview_size() {
    local left top right bottom
    read -r left top right bottom <<<"$(control_rect "$preview")"
    echo "$((right - left))x$((bottom - top))"
}
# The index of the checked item of the front-most pop-up menu: the rows of the check column with dark pixels.
checked_item() {  # shot items
    local left top right bottom
    read -r left top right bottom <<<"$(probe menu | head -1)"
    convert "$1" -crop "14x$((bottom - top - 6))+$((left + 3))+$((top + 3))" +repage -depth 8 txt:- |
        awk -v rows="$2" -v height=$((bottom - top - 6)) 'NR > 1 {
                 split($1, at, /[,:]/); gsub(/[()]/, "", $2); split($2, c, ",")
                 if (c[1] + c[2] + c[3] < 150) { sum += at[2]; n++ }
             }
             END { if (n) printf "%d\n", sum / n / (height / rows) }'
}
size=${E2E_SIZE:-40}
number=305 preview=302 tips=303 info=307 scroll=306

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the bar's rectangles are readable" e2e_measure

# --- the first opening: SizeNum 0, a wallpaper that cannot be loaded ---
e2e_require "任意 opens the dialog" open_size_dialog
e2e_expect_eq "it opens at 40" "40" "$(control_text $number)"
e2e_expect_eq "the preset's name is shown" "ｻｲｽﾞ大 shown" "$(label $info)"
e2e_expect_eq "the preview is 40 x 30" "40x30" "$(preview_size)"
e2e_expect_eq "the focus is on the scroll bar" "ScrollBar	$scroll" "$(probe focus "$title" | cut -f1-2)"
read -r left top right bottom <<<"$(control_rect $preview)"
xdotool mousemove $((left + 10)) $((top + 12))
sleep 0.3
e2e_expect_eq "the name tip shows over the preview" "ホーム shown" "$(label $tips)"
shot="$E2E_SHOTS/size-dialog-full.png"
e2e_screenshot "$shot"
e2e_expect_pixel "the built-in picture's sky" "$shot" $((left + 20)) $((top + 1)) '#6FA8E8'
read -r _ _ tip_right tip_bottom <<<"$(control_rect $tips)"
e2e_expect_pixel "the tip has the current desk's colours" "$shot" $((tip_right - 1)) $((tip_bottom - 1)) '#FF0000'
read -r _ dl dt dr db _ <<<"$(probe rect "$title")"
e2e_crop "$shot" "$E2E_SHOTS/size-dialog.png" $((dl - 8)) $((dt - 8)) $((dr + 8)) $((db + 8))
read -r left top right bottom <<<"$(control_rect 301)"
xdotool mousemove $((left + 3)) $((top + 3))
sleep 0.3
e2e_expect_eq "the tip hides over the label" "ホーム hidden" "$(label $tips)"

# Five clicks on the scroll bar's right arrow.
read -r left top right bottom <<<"$(control_rect $scroll)"
xdotool mousemove $((right - (bottom - top) / 2)) $(((top + bottom) / 2))
for _ in 1 2 3 4 5; do
    xdotool click 1
    sleep 0.15
done
e2e_expect_eq "the arrow sets 45" "45" "$(control_text $number)"
e2e_expect_eq "45 is no preset" "hidden" "$(label $info | cut -d' ' -f2)"
e2e_expect_eq "the preview is 45 x 34" "45x34" "$(preview_size)"
e2e_click_control "$title" 1  # 設定
e2e_expect_true "Set closes the dialog" probe gone "$title" 5000
e2e_expect_true "SizeNum=45 is written" e2e_wait_ini User SizeNum 45 5
sleep 0.3
e2e_measure
e2e_expect_eq "the bar's client height is 45 x 0.75 + 2" 36 "$CLIENT_H"
e2e_expect_eq "the bar's client width is 3.2 slots of 47" 150 "$CLIENT_W"
shot="$E2E_SHOTS/size-45.png"
e2e_screenshot "$shot"
# Desk 1 is a box of its background colour in the second slot, 45 + 2 pixels on.
e2e_expect_pixel "desk 1's box starts at 47" "$shot" $((CLIENT_X + 47)) $((CLIENT_Y + 12)) '#008000'
e2e_expect_pixel "desk 1's box is 45 wide" "$shot" $((CLIENT_X + 47 + 44)) $((CLIENT_Y + 12)) '#008000'
e2e_expect_pixel_not "desk 1's box ends after 45" "$shot" $((CLIENT_X + 47 + 45)) $((CLIENT_Y + 12)) '#008000'

# --- the second opening: 45, the wallpaper now loadable; the keyboard moves it to 34 ---
convert -size 64x48 "xc:$red" "BMP3:$E2E_DIR/pics/red.bmp"
e2e_require "任意 opens the dialog again" open_size_dialog
e2e_expect_eq "it opens at 45" "45" "$(control_text $number)"
shot="$E2E_SHOTS/size-dialog-wallpaper.png"
e2e_screenshot "$shot"
read -r left top right bottom <<<"$(control_rect $preview)"
e2e_expect_pixel "the preview shows the desk's wallpaper" "$shot" $(((left + right) / 2)) $(((top + bottom) / 2)) "$red"
for _ in $(seq 11); do e2e_keys Left; done
e2e_expect_eq "the keyboard sets 34" "34" "$(control_text $number)"
e2e_expect_eq "34 is the preset 中" "ｻｲｽﾞ中 shown" "$(label $info)"
e2e_keys Return  # Enter is 設定
e2e_expect_true "Enter closes the dialog" probe gone "$title" 5000
e2e_expect_true "SizeNum=1 is written" e2e_wait_ini User SizeNum 1 5
sleep 0.3
e2e_measure
e2e_expect_eq "the bar's client height is 34 x 0.75 + 2" 28 "$CLIENT_H"
e2e_click_client $((CLIENT_W - 3)) 5 3
e2e_require "the options menu opens" e2e_wait_menu
e2e_keys Down Down Down Right
sleep 0.3
shot="$E2E_SHOTS/size-menu.png"
e2e_screenshot "$shot"
e2e_expect_eq "the size submenu checks 中" 1 "$(checked_item "$shot" 4)"
e2e_keys Escape Escape Escape
e2e_menu_closed

# --- Esc after a move leaves SizeNum ---
e2e_require "任意 opens the dialog a third time" open_size_dialog
e2e_expect_eq "it opens at 34" "34" "$(control_text $number)"
e2e_keys Right Right
e2e_keys Escape
e2e_expect_true "Esc closes the dialog" probe gone "$title" 5000
sleep 0.5
e2e_expect_eq "SizeNum stays 1" "1" "$(e2e_ini_get User SizeNum)"

e2e_pointer_away
e2e_finish
