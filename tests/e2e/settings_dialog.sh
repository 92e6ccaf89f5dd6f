#!/usr/bin/env bash
# The settings dialog and the about box, driven by clicks and keys: auto-hide ticked, "右上" chosen and a
# background colour for the other desks picked, then OK (the file, the bar's place and its name tip follow);
# changes then Cancel (nothing written); the about box from the options menu (its picture changes) and from the
# dialog; the quit question answered No, then Yes.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
height=$((size * 3 / 4))
red='#C03030' blue='#3050C0'
red_bmp=$(e2e_bitmap red.bmp "$red")
blue_bmp=$(e2e_bitmap blue.bmp "$blue")
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,0
1=仕事,$blue_bmp,(None),0 128 0,0
EOF

title="コルヴァントップの設定"
about="このプログラムについて"
chk_hide=1201 top_right=1211 free=1213 kinds=1221 background=1223 green_swatch=1241
new_desk=1203 version=1204 quit=1205

# Brings a hidden bar back with the pointer at the screen's top edge over it, and measures it.
reveal_bar() {
    local i
    e2e_measure || return 1
    for i in $(seq 30); do
        xdotool mousemove $(((BAR_LEFT + BAR_RIGHT) / 2 + i % 2)) 0
        sleep 0.2
        e2e_measure && [ "$BAR_TOP" -ge 0 ] && return 0
    done
    return 1
}
# Opens the options menu on the bar's background and chooses the item reached by the given keys.
options_menu() {  # keys...
    e2e_raise_bar
    reveal_bar || return 1
    e2e_click_client $((CLIENT_W - 3)) 5 3
    e2e_wait_menu || return 1
    e2e_keys "$@"
}
# A checksum of the screen's pixels in a rectangle.
area_sum() { import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" rgb:- 2>/dev/null | md5sum; }

e2e_require "the bar is shown" e2e_start_program
sleep 0.8

# --- changes confirmed ---
e2e_require "設定を変更する opens the settings" options_menu Down Down Return
e2e_require "the settings dialog is shown" probe wait "$title" 5000
e2e_expect_eq "the controls' captions" \
    "自動的に隠れる 常に手前に表示する 新規ﾃﾞｽｸﾄｯﾌﾟ作成 ﾊﾞｰｼﾞｮﾝ情報 ｺﾙｳﾞｧﾝの終了 左上 右上 上任意 自由 右下 下任意 表示位置 ﾂｰﾙﾁｯﾌﾟの色 文字 背景 例： デスクトップ 設定 ｷｬﾝｾﾙ" \
    "$(probe children "$title" | awk -F'\t' '$1 != "ComboBox" && $3 != "画面" && $2 !~ /^12(3|4)[0-9]$/ { print $3 }' | paste -sd ' ')"
e2e_expect_eq "the two kinds" "現在のﾃﾞｽｸﾄｯﾌﾟ 移動可能なﾃﾞｽｸﾄｯﾌﾟ" "$(e2e_items "$title" "$kinds")"
e2e_expect_eq "auto-hide unticked, in front ticked, 自由 shown" "checked=0 checked=1 visible=1" \
    "$(probe control "$title" "$chk_hide" | cut -d' ' -f3) $(probe control "$title" 1202 | cut -d' ' -f3) $(probe control "$title" "$free" | cut -d' ' -f1)"
e2e_click_control "$title" "$chk_hide"
e2e_expect_eq "自由 is hidden while auto-hide is ticked" "visible=0" "$(probe control "$title" "$free" | cut -d' ' -f1)"
e2e_click_control "$title" "$top_right"
e2e_click_control "$title" "$kinds"
e2e_keys Down Return  # 移動可能なﾃﾞｽｸﾄｯﾌﾟ
e2e_expect_eq "the other desks' colours are shown" "移動可能なﾃﾞｽｸﾄｯﾌﾟ" "$(e2e_selected_item "$title" "$kinds")"
e2e_click_control "$title" "$background"
e2e_click_control "$title" "$green_swatch"
shot="$E2E_SHOTS/settings-dialog-full.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/settings-dialog.png" "$title"
read -r left top right bottom <<<"$(probe children "$title" | awk -F'\t' '$2 == 1251 { print $4 }')"
e2e_expect_pixel "the sample shows the new background" "$shot" $((left + 3)) $((top + 3)) '#00FF00'
e2e_click_control "$title" 1
e2e_expect_true "設定 closes the dialog" probe gone "$title" 5000
e2e_expect_true "AutoHide=1 is written" e2e_wait_ini User AutoHide 1 5
e2e_expect_eq "Position 右上 is written" "1" "$(e2e_ini_get User Position)"
e2e_expect_eq "the other desks' background is written" " 65280" "$(e2e_ini_get Color OtherDeskBackColor)"
e2e_expect_eq "the current desk's colours stay" " 0| 255" \
    "$(e2e_ini_get Color NowDeskForeColor)|$(e2e_ini_get Color NowDeskBackColor)"
e2e_pointer_away
sleep 1
e2e_measure
e2e_expect_eq "the bar moves to the top right" "$E2E_SCREEN_W" "$BAR_RIGHT"
e2e_expect_true "and hides behind the top edge" test "$BAR_TOP" -lt 0
e2e_require "the hidden bar comes back under the pointer" reveal_bar
e2e_point_client $((size + 2 + 10)) $((height - 4))
shot="$E2E_SHOTS/settings-tip.png"
e2e_screenshot "$shot"
e2e_expect_pixel "the tip over the other desk has the new background" "$shot" $((CLIENT_X + size + 2 + 13)) $((CLIENT_Y + 1)) '#00FF00'

# --- changes cancelled ---
settings_before=$(md5sum <"$E2E_PROG/KORUVAN.ini")
e2e_require "the settings open again" options_menu Down Down Return
e2e_require "the settings dialog is shown again" probe wait "$title" 5000
e2e_click_control "$title" "$chk_hide"
e2e_click_control "$title" $((top_right - 1))  # 左上
e2e_click_control "$title" $((green_swatch - 3))  # 橙
e2e_keys Escape
e2e_expect_true "Esc closes the dialog" probe gone "$title" 5000
sleep 0.5
e2e_expect_eq "Cancel writes nothing" "$settings_before" "$(md5sum <"$E2E_PROG/KORUVAN.ini")"

# --- the about box from the options menu: its picture changes at a ten-second mark (a step onto the first
# picture keeps what is shown, so two marks are waited for) ---
e2e_require "このプログラムについて opens the about box" options_menu Up Up Return
e2e_require "the about box is shown" probe wait "$about" 5000
e2e_expect_eq "its texts" "for Windows95/98|コルヴァントップ" \
    "$(e2e_control_text "$about" 1303)|$(e2e_control_text "$about" 1302)"
read -r left top right bottom <<<"$(probe children "$about" | awk -F'\t' '$2 == 1301 { print $4 }')"
shot="$E2E_SHOTS/about-full.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/about.png" "$about"
before=$(area_sum "$left" "$top" "$right" "$bottom")
changed=0
for _ in $(seq 100); do
    sleep 0.25
    [ "$(area_sum "$left" "$top" "$right" "$bottom")" != "$before" ] && { changed=1; break; }
done
e2e_expect_eq "the picture changes within two ten-second marks" 1 "$changed"
e2e_keys Return
e2e_expect_true "OK closes the about box" probe gone "$about" 5000

# --- the about box from the dialog, then the quit question ---
e2e_require "the settings open a third time" options_menu Down Down Return
e2e_require "the settings dialog is shown a third time" probe wait "$title" 5000
e2e_click_control "$title" "$version"
e2e_expect_true "ﾊﾞｰｼﾞｮﾝ情報 opens the about box" probe wait "$about" 5000
e2e_click_control "$about" 1
e2e_expect_true "its OK closes it" probe gone "$about" 5000
e2e_expect_true "the settings dialog stays" probe wait "$title" 1000
settings_before=$(md5sum <"$E2E_PROG/KORUVAN.ini")
e2e_click_control "$title" "$quit"
e2e_require "ｺﾙｳﾞｧﾝの終了 asks" probe wait "終了処理" 5000
e2e_expect_eq "the question" "「コルヴァン」を終了しますか" "$(e2e_message_text "終了処理")"
e2e_click_control "終了処理" 7
e2e_expect_true "No closes the question" probe gone "終了処理" 5000
e2e_expect_true "No keeps the dialog and the program" probe wait "$title" 1000
e2e_click_control "$title" "$quit"
e2e_require "it asks again" probe wait "終了処理" 5000
e2e_click_control "終了処理" 6
e2e_expect_true "Yes ends the program" e2e_wait_program_end 10
e2e_expect_eq "ending writes nothing" "$settings_before" "$(md5sum <"$E2E_PROG/KORUVAN.ini")"

e2e_pointer_away
e2e_finish
