#!/usr/bin/env bash
# The bar's pop-up menus, opened with the right button and worked with the keyboard: the desk menu of the current
# desk (open and delete greyed), deleting another desk (answered no, then yes), the button size "小" from the
# options menu, and the end of the program from it.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
red='#C03030' blue='#3050C0' yellow='#D0C020'
red_bmp=$(e2e_bitmap red.bmp "$red")
blue_bmp=$(e2e_bitmap blue.bmp "$blue")
yellow_bmp=$(e2e_bitmap yellow.bmp "$yellow")
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"

e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
2=趣味,$blue_bmp,(None),0 128 0,0
3=旅行,$yellow_bmp,(None),0 128 0,0
EOF
echo "hobby" >"$E2E_PROG/dsk2/趣味.txt"
echo "notes" >"$E2E_PROG/dsk2/notes.txt"
desk3_line="旅行,$yellow_bmp,(None),0 128 0,0"

# Opens the desk menu on desk 2, notes how it looks, chooses delete and waits for the question.
# shellcheck disable=SC2317  # run through e2e_require
delete_desk_2() {
    # shellcheck disable=SC2046
    e2e_click_client $(e2e_button_centre "$size" 2 0) 3
    e2e_wait_menu || return 1
    e2e_screenshot "$menu_shot"
    menu_look=$(e2e_menu_look "$menu_shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM")
    e2e_keys Down Down Down Down Return  # 開く, 変更, 整理, (separator), 削除
    probe wait "ﾃﾞｽｸﾄｯﾌﾟ削除" 5000
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the bar's rectangles are readable" e2e_measure
wide=$CLIENT_W
menu_shot="$E2E_SHOTS/menu-full.png"

# --- the desk menu of the current desk ---
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 1) 3
e2e_require "the desk menu opens on desk 0" e2e_wait_menu
e2e_screenshot "$menu_shot"
e2e_expect_eq "open and delete are greyed on the current desk" "greyed enabled enabled - greyed - enabled" \
    "$(e2e_menu_look "$menu_shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM")"
e2e_crop "$menu_shot" "$E2E_SHOTS/desk-menu.png" 0 0 $((MENU_RIGHT + 12)) $((MENU_BOTTOM + 12))
e2e_keys Escape
e2e_expect_true "Escape closes the menu" e2e_menu_closed

# --- deleting desk 2: first answered no, then yes ---
e2e_require "delete on desk 2 asks" delete_desk_2
e2e_expect_eq "every item is enabled on another desk" "enabled enabled enabled - enabled - enabled" "$menu_look"
e2e_expect_eq "the question names the desk" "ﾃﾞｽｸﾄｯﾌﾟ「趣味」を削除しますか" "$(e2e_message_text "ﾃﾞｽｸﾄｯﾌﾟ削除")"
e2e_expect_true "the answer no is clicked" e2e_click_control "ﾃﾞｽｸﾄｯﾌﾟ削除" 7
e2e_expect_true "the question closes" probe gone "ﾃﾞｽｸﾄｯﾌﾟ削除" 5000
sleep 0.3
e2e_expect_eq "no: dsk2 keeps its items" "notes.txt 趣味.txt" "$(e2e_names "$E2E_PROG/dsk2")"
e2e_expect_eq "no: desk 2 keeps its line" "趣味,$blue_bmp,(None),0 128 0,0" "$(e2e_ini_get DeskTop 2)"
e2e_measure
e2e_expect_eq "no: the bar keeps its width" "$wide" "$CLIENT_W"

e2e_require "delete on desk 2 asks again" delete_desk_2
e2e_expect_true "the answer yes is clicked" e2e_click_control "ﾃﾞｽｸﾄｯﾌﾟ削除" 6
e2e_expect_true "the question closes" probe gone "ﾃﾞｽｸﾄｯﾌﾟ削除" 5000
e2e_expect_true "yes: desk 2's line is emptied" e2e_wait_ini DeskTop 2 "" 5
e2e_expect_true "yes: dsk2 is still there" test -d "$E2E_PROG/dsk2"
e2e_expect_eq "yes: dsk2 is empty" "" "$(e2e_names "$E2E_PROG/dsk2")"
e2e_expect_eq "yes: desk 3 keeps its line" "$desk3_line" "$(e2e_ini_get DeskTop 3)"
# The bar is laid out again after the settings file is written; on a busy machine that takes a moment.
three_slots=$(awk -v p=$((size + 2)) 'BEGIN { printf "%d", 3.2 * p + 0.5 }')
for _ in $(seq 20); do
    sleep 0.3
    e2e_measure && [ "$CLIENT_W" = "$three_slots" ] && break
done
e2e_expect_eq "yes: the bar is three slots wide" "$three_slots" "$CLIENT_W"
shot="$E2E_SHOTS/menus-deleted.png"
e2e_screenshot "$shot"
# shellcheck disable=SC2046
e2e_expect_pixel "desk 3 moved into slot 2" "$shot" $((CLIENT_X + 2 * (size + 2) + size / 2)) $((CLIENT_Y + 10)) "$yellow"

# --- the options menu: button size "小" ---
e2e_click_client $((CLIENT_W - 3)) 5 3
e2e_require "the options menu opens on the background" e2e_wait_menu
e2e_screenshot "$menu_shot"
e2e_expect_eq "the options menu's items" "enabled enabled - enabled enabled - enabled enabled" \
    "$(e2e_menu_look "$menu_shot" "$MENU_LEFT" "$MENU_TOP" "$MENU_RIGHT" "$MENU_BOTTOM")"
e2e_keys Down Down Down Right  # 新規, 設定, (separator), ボタンサイズ: its submenu opens on "大"
sleep 0.3
e2e_screenshot "$menu_shot"
e2e_expect_eq "the size submenu is open" 2 "$(probe menu | wc -l)"
read -r _ _ sub_right sub_bottom <<<"$(probe menu | head -1)"
e2e_crop "$menu_shot" "$E2E_SHOTS/options-menu.png" 0 0 $((sub_right + 12)) $((MENU_BOTTOM > sub_bottom ? MENU_BOTTOM + 12 : sub_bottom + 12))
e2e_keys Down Down Return  # 中, 小
e2e_expect_true "SizeNum=2 is written" e2e_wait_ini User SizeNum 2 5
sleep 0.3
e2e_measure
small=28
e2e_expect_eq "the bar's client height is 28 x 0.75 + 2" "$(awk -v s=$small 'BEGIN { printf "%d", s * 0.75 + 2 + 0.5 }')" "$CLIENT_H"
e2e_expect_eq "the bar's client width is 3.2 small slots" "$(awk -v p=$((small + 2)) 'BEGIN { printf "%d", 3.2 * p + 0.5 }')" "$CLIENT_W"
shot="$E2E_SHOTS/menus-small.png"
e2e_screenshot "$shot"
# shellcheck disable=SC2046
{
    e2e_expect_pixel "desk 0 is a small pressed button" "$shot" $((CLIENT_X + 2 + small - 1)) $((CLIENT_Y + 2 + 20)) "$red"
    e2e_expect_pixel_not "desk 0 ends after 28 pixels" "$shot" $((CLIENT_X + 2 + small)) $((CLIENT_Y + 10)) "$red"
}

# --- the options menu: end the program ---
settings_before=$(md5sum <"$E2E_PROG/KORUVAN.ini")
e2e_click_client $((CLIENT_W - 3)) 3 3
e2e_require "the options menu opens again" e2e_wait_menu
e2e_keys Up Return  # the last item: プログラムの終了
e2e_expect_true "the program ends" e2e_wait_program_end 10
e2e_expect_eq "ending writes nothing" "$settings_before" "$(md5sum <"$E2E_PROG/KORUVAN.ini")"

e2e_pointer_away
e2e_finish
