#!/usr/bin/env bash
# The desk dialog, driven by clicks and keys: a second desk made through the options menu (name typed, folders
# opened in the folder list, a bitmap clicked, OK), desk 0's name, wallpaper and style changed through the desk
# menu, the refusals of an empty name and of a comma, and the enlarged preview growing and shrinking.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
red='#C03030' green='#30A040' blue='#3050C0'
red_bmp=$(e2e_bitmap red.bmp "$red")
green_bmp=$(e2e_bitmap green.bmp "$green")
blue_bmp=$(e2e_bitmap blue.bmp "$blue")
echo "not a picture" >"$E2E_DIR/pics/notes.txt"
mkdir -p "$E2E_DIR/pics/more"
"$E2E_SOURCE/tools/make-samples" "$E2E_DIR/pics/more"
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,0
EOF

new_title="新規デスクトップ作成"
settings_title="デスクトップの設定"
name_box=1002 folders=1005 files=1006 preview=1007 styles=1008

# Opens the options menu on the bar's background and chooses its first item.
open_new_desk() {
    e2e_raise_bar
    e2e_click_client $((CLIENT_W - 3)) 5 3
    e2e_wait_menu || return 1
    e2e_keys Down Return
    probe wait "$new_title" 5000
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the bar's rectangles are readable" e2e_measure

# --- a second desk through the options menu ---
e2e_require "新規にデスクトップを作る opens the desk dialog" open_new_desk
e2e_expect_eq "new-desk mode: the name frame" "新規デスクトップ名" "$(e2e_control_text "$new_title" 1001)"
e2e_expect_eq "the wallpaper frame and the buttons" "壁紙 設定完了 ｷｬﾝｾﾙ 拡大して表示" \
    "$(for id in 1003 1 2 "$preview"; do e2e_control_text "$new_title" "$id"; done | paste -sd ' ')"
e2e_expect_eq "browsing starts in the Windows folder" "windows" "$(e2e_selected_item "$new_title" "$folders")"
e2e_expect_eq "the styles, none chosen" "中央に表示 並べて表示 拡大|" \
    "$(e2e_items "$new_title" "$styles")|$(e2e_selected_item "$new_title" "$styles")"
e2e_expect_eq "the name box has the focus" "$name_box" "$(probe focus "$new_title" | cut -f2)"
xdotool type --delay 60 "仕事"
e2e_click_item "$new_title" "$folders" "C:" 2
e2e_click_item "$new_title" "$folders" "e2e" 2
e2e_click_item "$new_title" "$folders" "desk_dialog" 2
# Enter on the folder list opens the selected folder.
e2e_click_item "$new_title" "$folders" "pics"
e2e_keys Return
e2e_expect_eq "the folder list shows the way down and the subfolders" "C: e2e desk_dialog pics more" \
    "$(e2e_items "$new_title" "$folders")"
e2e_expect_eq "the file list: (なし), then the bitmaps only" "(なし) blue.bmp green.bmp red.bmp" \
    "$(e2e_items "$new_title" "$files")"
# The pictures of the README: a sample wallpaper chosen, then enlarged.
e2e_click_item "$new_title" "$folders" "more" 2
e2e_click_item "$new_title" "$files" "夕焼け.bmp"
shot="$E2E_SHOTS/desk-dialog-samples.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/desk-dialog.png" "$new_title"
e2e_click_control "$new_title" "$preview"
if probe wait "壁紙の参照" 5000; then
    e2e_screenshot "$shot"
    e2e_crop_window "$shot" "$E2E_SHOTS/wallpaper-preview-sample.png" "壁紙の参照"
    e2e_keys Escape
fi
e2e_click_item "$new_title" "$folders" "pics" 2
e2e_click_item "$new_title" "$files" "green.bmp"
shot="$E2E_SHOTS/desk-dialog-new.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/desk-dialog-new-window.png" "$new_title"
read -r left top right bottom <<<"$(probe children "$new_title" | awk -F'\t' -v id="$preview" '$2 == id { print $4 }')"
e2e_expect_pixel "the preview shows the chosen bitmap" "$shot" $(((left + right) / 2)) $(((top + bottom) / 2)) "$green"
e2e_expect_eq "the typed name" "仕事" "$(e2e_control_text "$new_title" "$name_box")"
e2e_click_control "$new_title" 1
e2e_expect_true "設定完了 closes the dialog" probe gone "$new_title" 5000
e2e_expect_true "desk 1's line is written" e2e_wait_ini DeskTop 1 "仕事,$green_bmp,(None),0 128 0,-1" 5
sleep 0.5
e2e_measure
shot="$E2E_SHOTS/desk-dialog-bar.png"
e2e_screenshot "$shot"
e2e_crop "$shot" "$E2E_SHOTS/desk-dialog-bar-crop.png" 0 0 $((BAR_RIGHT + 8)) $((BAR_BOTTOM + 8))
# shellcheck disable=SC2046
{
    e2e_expect_pixel "desk 1's button shows its thumbnail" "$shot" $((CLIENT_X + size + 2 + size / 2)) $((CLIENT_Y + 10)) "$green"
    e2e_expect_pixel "the screen keeps desk 0's wallpaper" "$shot" 512 384 "$red"
}

# --- desk 0's settings through the desk menu ---
e2e_raise_bar
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 1) 3
e2e_require "the desk menu opens on desk 0" e2e_wait_menu
e2e_keys Down Down Return  # 開く (greyed), ﾃﾞｽｸﾄｯﾌﾟの変更
e2e_require "ﾃﾞｽｸﾄｯﾌﾟの変更 opens the desk dialog" probe wait "$settings_title" 5000
e2e_expect_eq "settings mode: the name frame and the name" "デスクトップ名|ホーム" \
    "$(e2e_control_text "$settings_title" 1001)|$(e2e_control_text "$settings_title" "$name_box")"
e2e_expect_eq "the desk's wallpaper is selected" "red.bmp" "$(e2e_selected_item "$settings_title" "$files")"
e2e_expect_eq "the desk's style is selected" "中央に表示" "$(e2e_selected_item "$settings_title" "$styles")"
shot="$E2E_SHOTS/desk-dialog-settings.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/desk-dialog-settings-window.png" "$settings_title"
xdotool type --delay 60 "家"  # the whole name is selected when the dialog opens
e2e_click_item "$settings_title" "$files" "blue.bmp"
e2e_keys Tab Tab Down  # past the preview to the styles: 並べて表示
e2e_expect_eq "the style is chosen with the keyboard" "並べて表示" "$(e2e_selected_item "$settings_title" "$styles")"
e2e_keys Return
e2e_expect_true "Enter closes the dialog" probe gone "$settings_title" 5000
e2e_expect_true "desk 0's line is written" e2e_wait_ini DeskTop 0 "家,$blue_bmp,(None),0 128 0,1" 5
e2e_expect_eq "its wallpaper is in effect" "$blue_bmp" "$(probe wallpaper)"
e2e_expect_eq "tiled" "1" "$(probe reg-get "$E2E_REG_DESKTOP" TileWallpaper)"
sleep 0.5
shot="$E2E_SHOTS/desk-dialog-wallpaper.png"
e2e_screenshot "$shot"
e2e_expect_pixel "the screen shows the new wallpaper" "$shot" 700 600 "$blue"
e2e_expect_pixel "desk 0's button shows it too" "$shot" $((CLIENT_X + 2 + size / 2)) $((CLIENT_Y + 12)) "$blue"

# --- refusals, the enlarged preview, Esc ---
e2e_require "the desk dialog opens again" open_new_desk
e2e_expect_eq "browsing starts where the last wallpaper was stored" "pics" "$(e2e_selected_item "$new_title" "$folders")"
e2e_click_control "$new_title" 1
e2e_require "an empty name is refused" probe wait "設定ミス" 5000
e2e_expect_eq "the message" "デスクトップ名を入力してください" "$(e2e_message_text "設定ミス")"
e2e_click_control "設定ミス" 1
e2e_expect_true "the message closes" probe gone "設定ミス" 5000
e2e_expect_true "the dialog stays open" probe wait "$new_title" 1000
e2e_click_item "$new_title" "$files" "red.bmp"
e2e_click_control "$new_title" "$name_box"
xdotool type --delay 60 "a,b"
e2e_click_control "$new_title" 1
e2e_require "a comma is refused" probe wait "設定ミス" 5000
e2e_expect_eq "the comma message" "デスクトップ名に「,」は使えません" "$(e2e_message_text "設定ミス")"
e2e_keys Return
e2e_expect_true "the comma message closes" probe gone "設定ミス" 5000

e2e_click_control "$new_title" "$preview"
e2e_require "the preview opens enlarged" probe wait "壁紙の参照" 5000
sleep 0.3
e2e_measure "壁紙の参照"
read -r width height <<<"$((BAR_RIGHT - BAR_LEFT)) $((BAR_BOTTOM - BAR_TOP))"
e2e_expect_eq "its picture area has the design size" "269x201" "${CLIENT_W}x${CLIENT_H}"
shot="$E2E_SHOTS/wallpaper-preview.png"
e2e_screenshot "$shot"
e2e_crop_window "$shot" "$E2E_SHOTS/wallpaper-preview-window.png" "壁紙の参照"
e2e_expect_pixel "the picture fills it" "$shot" $((CLIENT_X + CLIENT_W - 3)) $((CLIENT_Y + CLIENT_H - 3)) "$red"
xdotool mousemove $((CLIENT_X + 40)) $((CLIENT_Y + 40)) click 3
sleep 0.4
e2e_measure "壁紙の参照"
e2e_expect_eq "a right click at the design size changes nothing" "$width" "$((BAR_RIGHT - BAR_LEFT))"
xdotool click 1
sleep 0.4
e2e_measure "壁紙の参照"
e2e_expect_eq "a left click grows it by 1.5" "$(((width * 3 + 1) / 2))x$(((height * 3 + 1) / 2))" \
    "$((BAR_RIGHT - BAR_LEFT))x$((BAR_BOTTOM - BAR_TOP))"
shot="$E2E_SHOTS/wallpaper-preview-grown.png"
e2e_screenshot "$shot"
e2e_expect_pixel "the picture fills the grown window" "$shot" $((CLIENT_X + CLIENT_W - 3)) $((CLIENT_Y + CLIENT_H - 3)) "$red"
xdotool click 3
sleep 0.4
e2e_measure "壁紙の参照"
e2e_expect_eq "a right click shrinks it back" "${width}x${height}" "$((BAR_RIGHT - BAR_LEFT))x$((BAR_BOTTOM - BAR_TOP))"
e2e_keys Escape
e2e_expect_true "Esc closes the preview" probe gone "壁紙の参照" 5000
e2e_keys Escape
e2e_expect_true "Esc closes the desk dialog" probe gone "$new_title" 5000
sleep 0.3
e2e_expect_eq "nothing is stored for desk 2" "" "$(e2e_ini_get DeskTop 2)"

e2e_pointer_away
e2e_finish
