#!/usr/bin/env bash
# Wallpapers as today's Windows leaves them show as thumbnails on the bar: a full-HD JPEG photograph (its left
# half red, its right half blue, so the whole picture must be scaled into the button) and a JPEG without an
# extension, named like the copy Windows keeps of the wallpaper in effect. A third desk has no wallpaper. The
# photograph's desk dialog lists and selects it, and shows it whole in its preview.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40  # SizeNum 0
pitch=$((size + 2))
height=$((size * 3 / 4))
red='#C03030' blue='#3050C0' yellow='#D0C020' green='#008000'
convert -size 960x1080 "xc:$red" -size 960x1080 "xc:$blue" +append -quality 90 "$E2E_DIR/pics/photo.jpg"
mkdir -p "$E2E_DIR/pics/Themes"
convert -size 1280x720 "xc:$yellow" -quality 90 "JPEG:$E2E_DIR/pics/Themes/TranscodedWallpaper"
e2e_set_appearance "" 0 "(None)" "0 128 0"

e2e_write_desks 2 <<EOF2
0=写真,$E2E_WIN_DIR\\pics\\photo.jpg,(None),0 128 0,2
1=Windows,$E2E_WIN_DIR\\pics\\Themes\\TranscodedWallpaper,(None),0 128 0,2
2=箱,,(None),0 128 0,0
EOF2

e2e_require "the bar is shown" e2e_start_program
sleep 0.8  # the first paint
e2e_require "the bar's rectangles are readable" e2e_measure
shot="$E2E_SHOTS/thumbnails-full.png"
e2e_screenshot "$shot"
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }  # client point -> screen point

# shellcheck disable=SC2046
{
    e2e_expect_pixel "the JPEG's left half" "$shot" $(at $((size / 4)) $((height / 2))) "$red"
    e2e_expect_pixel "the JPEG's right half" "$shot" $(at $((size * 3 / 4)) $((height / 2))) "$blue"
    e2e_expect_pixel "the JPEG fills its button to the top-left corner" "$shot" $(at 0 0) "$red"
    e2e_expect_pixel "and to the bottom-right corner" "$shot" $(at $((size - 1)) $((height - 1))) "$blue"
    e2e_expect_pixel "the JPEG without an extension" "$shot" $(at $((pitch + size / 2)) $((height / 2))) "$yellow"
    e2e_expect_pixel "the desk without a wallpaper, current" "$shot" $(at $((2 * pitch + 2 + size / 2)) $((2 + height / 2))) "$green"
}
e2e_crop "$shot" "$E2E_SHOTS/thumbnails.png" $((BAR_LEFT - 8)) $((BAR_TOP - 8)) $((BAR_RIGHT + 8)) $((BAR_BOTTOM + 8))

# --- the photograph in the desk dialog (ﾃﾞｽｸﾄｯﾌﾟの変更 of desk 0's menu), listed and shown whole ---
title="デスクトップの設定"
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 0) 3
e2e_require "the desk menu opens on desk 0" e2e_wait_menu
e2e_keys Down Down Return
e2e_require "the desk dialog opens" probe wait "$title" 5000
sleep 0.3  # the caption is set first, then the lists are filled
e2e_expect_eq "the file list holds the JPEG, selected" "(なし) photo.jpg|photo.jpg" \
    "$(e2e_items "$title" 1006)|$(e2e_selected_item "$title" 1006)"
shot="$E2E_SHOTS/thumbnails-dialog.png"
e2e_screenshot "$shot"
read -r left top right bottom <<<"$(e2e_control_rect "$title" 1007)"
quarter=$(((right - left) / 4)) middle=$(((top + bottom) / 2))
e2e_expect_pixel "the preview: the JPEG's left half" "$shot" $((left + quarter)) $middle "$red"
e2e_expect_pixel "the preview: its right half" "$shot" $((right - quarter)) $middle "$blue"
e2e_keys Escape
e2e_expect_true "Esc closes the desk dialog" probe gone "$title" 5000

e2e_finish
