#!/usr/bin/env bash
# The desk bar as drawn on the screen: four desks, three with wallpapers of their own colour and one without
# (a box in the desktop's background colour), desk 1 current. Checks the pixels at each button's computed place,
# the pressed offset of the current desk, the bar's client size and the name tip's colours.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40  # SizeNum 0
pitch=$((size + 2))
height=$((size * 3 / 4))
red='#C03030' blue='#3050C0' yellow='#D0C020' green='#008000'
red_bmp=$(e2e_bitmap red.bmp "$red")
blue_bmp=$(e2e_bitmap blue.bmp "$blue")
yellow_bmp=$(e2e_bitmap yellow.bmp "$yellow")
e2e_set_appearance "" 0 "(None)" "0 128 0"

e2e_write_ini <<EOF
[User]
LastUse=1
Topwindow=1
Position=0
AutoHide=0
SizeNum=0
[Color]
NowDeskForeColor= 0
NowDeskBackColor= 255
OtherDeskForeColor= 16777215
OtherDeskBackColor= 16711680
[DeskTop]
0=ホーム,$red_bmp,(None),0 128 0,2
1=仕事,,(None),0 128 0,0
2=趣味,$blue_bmp,(None),0 128 0,2
3=旅行,$yellow_bmp,(None),0 128 0,2
4=
5=
6=
7=
8=
9=
EOF

e2e_require "the bar is shown" e2e_start_program
sleep 0.8  # the first paint and the first timer tick
e2e_require "the bar's rectangles are readable" e2e_measure
e2e_log "bar outer $BAR_LEFT,$BAR_TOP-$BAR_RIGHT,$BAR_BOTTOM, client origin $CLIENT_X,$CLIENT_Y size ${CLIENT_W}x$CLIENT_H"

# Four slots plus a fifth of one: 4.2 x 42 = 176.4 pixels; 30 + 2 high.
e2e_expect_eq "client width is 4.2 slots" "$(awk -v p=$pitch 'BEGIN { printf "%d", 4.2 * p + 0.5 }')" "$CLIENT_W"
e2e_expect_eq "client height is a button and 2" "$((height + 2))" "$CLIENT_H"
e2e_expect_eq "Position 0 puts the bar at the screen's left edge" 0 "$BAR_LEFT"

shot="$E2E_SHOTS/bar-full.png"
e2e_screenshot "$shot"
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }  # client point -> screen point

# Centre of each button: slot s at (size + 2) * s, 2 further right and down for the current desk.
for entry in "0 $red wallpaper" "1 $green box" "2 $blue wallpaper" "3 $yellow wallpaper"; do
    read -r desk colour kind <<<"$entry"
    off=0
    [ "$desk" = 1 ] && off=2
    # shellcheck disable=SC2046
    e2e_expect_pixel "desk $desk ($kind) centre" "$shot" $(at $((pitch * desk + off + size / 2)) $((off + height / 2))) "$colour"
done

# Edges: a raised button fills its slot from the top-left corner; the pressed one starts 2 pixels in.
# shellcheck disable=SC2046
{
    e2e_expect_pixel "desk 0 top-left corner" "$shot" $(at 0 0) "$red"
    e2e_expect_pixel "desk 0 bottom-right corner" "$shot" $(at $((size - 1)) $((height - 1))) "$red"
    e2e_expect_pixel_not "gap after desk 0" "$shot" $(at $((size + 1)) $((height / 2))) "$red"
    e2e_expect_pixel_not "row below desk 0" "$shot" $(at $((size / 2)) "$height") "$red"
    e2e_expect_pixel_not "current desk 1 leaves its slot's corner free" "$shot" $(at $((pitch + 1)) 1) "$green"
    e2e_expect_pixel "current desk 1 starts 2 pixels right and down" "$shot" $(at $((pitch + 2)) 2) "$green"
    e2e_expect_pixel "current desk 1 reaches the bottom row" "$shot" $(at $((pitch + 2 + size - 1)) $((height + 1))) "$green"
    e2e_expect_pixel "desk 3 top-left corner" "$shot" $(at $((3 * pitch)) 0) "$yellow"
}

e2e_crop "$shot" "$E2E_SHOTS/bar.png" $((BAR_LEFT - 8)) $((BAR_TOP - 8)) $((BAR_RIGHT + 8)) $((BAR_BOTTOM + 8))

# The name tip over another desk (white on blue) and over the current desk (black on red), beside the pointer.
e2e_point_client $((2 * pitch + 10)) $((height - 4))
tip_shot="$E2E_SHOTS/bar-tip-full.png"
e2e_screenshot "$tip_shot"
# shellcheck disable=SC2046
e2e_expect_pixel "tip over desk 2 has the other-desk background" "$tip_shot" $(at $((2 * pitch + 10 + 3)) 1) '#0000FF'
e2e_crop "$tip_shot" "$E2E_SHOTS/bar-tip.png" $((BAR_LEFT - 8)) $((BAR_TOP - 8)) $((BAR_RIGHT + 8)) $((BAR_BOTTOM + 8))
e2e_point_client $((pitch + 12)) $((height - 2))
e2e_screenshot "$tip_shot"
# shellcheck disable=SC2046
e2e_expect_pixel "tip over desk 1 has the current-desk background" "$tip_shot" $(at $((pitch + 12 + 3)) 1) '#FF0000'

e2e_pointer_away
e2e_finish
