# shellcheck shell=bash
# Common part of the end-to-end scripts; source it from a script run as
#     bash tests/e2e/NAME.sh path/to/KORUVAN.exe path/to/koruvan_probe.exe
# It sets up Wine (or joins the session of a caller that exported DISPLAY and WINEPREFIX), gives the script a
# fresh sandbox C:\e2e\NAME\ with a program folder, a Desktop folder and a pictures folder, points the user's
# Desktop at it, and on exit ends what the script started and puts the registry and the wallpaper back.
#
# Screenshots go to $KORUVAN_E2E_SHOTS (default: e2e-shots beside KORUVAN.exe). Checks print PASS/FAIL lines;
# e2e_finish exits non-zero when any check failed.

set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 KORUVAN.exe koruvan_probe.exe" >&2; exit 2; }

E2E_NAME=$(basename "$0" .sh)
E2E_EXE=$(realpath "$1")
E2E_PROBE=$(realpath "$2")
E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_SHOTS=${KORUVAN_E2E_SHOTS:-$(dirname "$E2E_EXE")/e2e-shots}
mkdir -p "$E2E_SHOTS"

# A caller's Wine session (tools/test exports WINEPREFIX and DISPLAY) is joined rather than replaced.
if [ -z "${KORUVAN_WINEPREFIX:-}" ] && [ -n "${WINEPREFIX:-}" ]; then export KORUVAN_WINEPREFIX=$WINEPREFIX; fi
# shellcheck source=../../tools/lib.sh
source "$E2E_SOURCE/tools/lib.sh"

E2E_CAPTION="コルヴァン"
E2E_FAILURES=0
E2E_CHECKS=0
E2E_STARTED_PIDS=()
E2E_PROGRAM_PID=""
E2E_REGISTRY_SAVED=0

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }

# --- checks ---------------------------------------------------------------------------------------------------

e2e_pass() {
    E2E_CHECKS=$((E2E_CHECKS + 1))
    echo "PASS: $1"
}
e2e_fail() {
    E2E_CHECKS=$((E2E_CHECKS + 1))
    E2E_FAILURES=$((E2E_FAILURES + 1))
    echo "FAIL: $1"
}
e2e_expect_eq() {  # what expected actual
    if [ "$2" = "$3" ]; then e2e_pass "$1"; else e2e_fail "$1 (expected '$2', got '$3')"; fi
}
e2e_expect_true() {  # what command...
    local what=$1
    shift
    if "$@"; then e2e_pass "$what"; else e2e_fail "$what"; fi
}
# Stops the script at once when a step that everything after it needs did not happen.
e2e_require() {  # what command...
    local what=$1
    shift
    if "$@"; then
        e2e_pass "$what"
    else
        e2e_fail "$what"
        e2e_finish
    fi
}
e2e_finish() {
    echo "$E2E_NAME: $((E2E_CHECKS - E2E_FAILURES)) of $E2E_CHECKS checks passed"
    [ "$E2E_FAILURES" -eq 0 ] && exit 0
    exit 1
}

# --- the probe and the program --------------------------------------------------------------------------------

probe() { wine "$E2E_PROBE" "$@" 2>/dev/null; }

e2e_start_program() {
    (cd "$E2E_PROG" && exec wine KORUVAN.exe >/dev/null 2>&1) &
    E2E_PROGRAM_PID=$!
    E2E_STARTED_PIDS+=("$E2E_PROGRAM_PID")
    probe wait "$E2E_CAPTION" 20000
}

e2e_program_running() { [ -n "$E2E_PROGRAM_PID" ] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; }

# Waits up to $1 seconds for the program's process to end.
e2e_wait_program_end() {
    local i
    for i in $(seq $(($1 * 10))); do
        e2e_program_running || return 0
        sleep 0.1
    done
    ! e2e_program_running
}

# "iconic=N visible=N" of a window, once it has settled there (the program's changes are asynchronous).
e2e_shown_as() {  # title expected
    local i got
    for i in $(seq 30); do
        got=$(probe state "$1" | cut -d' ' -f1,3)
        [ "$got" = "$2" ] && break
        sleep 0.1
    done
    echo "$got"
}

# Opens N probe windows ("probe 1".."probe N", the second maximised) and waits until they are shown.
e2e_open_windows() {
    local out="$E2E_DIR/probe-windows.out"
    wine "$E2E_PROBE" windows "$1" >"$out" 2>/dev/null &
    E2E_STARTED_PIDS+=("$!")
    local i
    for i in $(seq 200); do
        grep -q ready "$out" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts a Notepad on "noteN.txt" of the session's folder, without waiting for it.
e2e_open_notepad() {  # N
    printf 'note %s\r\n' "$1" >"$E2E_DIR/note$1.txt"
    (cd "$E2E_DIR" && exec wine notepad "note$1.txt" >/dev/null 2>&1) &
    E2E_STARTED_PIDS+=("$!")
}

# Opens N Notepads, each on a file of its own ("note1.txt".."noteN.txt" in the session's folder), the first two
# maximised unless "plain" follows, and waits until they are all shown.
e2e_open_notepads() {  # N [plain]
    local i
    for i in $(seq "$1"); do
        e2e_open_notepad "$i"
    done
    for i in $(seq "$1"); do
        probe wait "note$i.txt - メモ帳" 30000 || return 1
    done
    [ "${2:-}" = plain ] || { probe maximize "note1.txt - メモ帳" && probe maximize "note2.txt - メモ帳"; }
}

# Sets BAR_LEFT BAR_TOP BAR_RIGHT BAR_BOTTOM (outer, screen) and CLIENT_X CLIENT_Y CLIENT_W CLIENT_H (client
# origin on the screen and client size) of the window with the given title, the bar by default.
# shellcheck disable=SC2120  # the title is optional
e2e_measure() {
    local line
    line=$(probe rect "${1:-$E2E_CAPTION}") || return 1
    # shellcheck disable=SC2034  # read by the scripts
    read -r _ BAR_LEFT BAR_TOP BAR_RIGHT BAR_BOTTOM _ CLIENT_X CLIENT_Y CLIENT_W CLIENT_H <<<"$line"
}

# The centre of the button in `slot` of a bar with buttons `size` pixels wide, in client pixels: slots are
# size + 2 apart, buttons size * 0.75 high, the current desk's 2 pixels further right and down.
e2e_button_centre() {  # size slot pressed(0/1)
    local off=$((2 * $3))
    echo $((($1 + 2) * $2 + off + $1 / 2)) $((off + $1 * 3 / 8))
}

# Pointer actions at a point of the bar's client area (as last measured). The pointer first moves beside the
# point so that the program sees a movement onto it, as with a hand on the mouse.
e2e_point_client() {  # x y
    xdotool mousemove $((CLIENT_X + $1 - 1)) $((CLIENT_Y + $2))
    sleep 0.05
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2))
    sleep 0.15
}
e2e_click_client() {  # x y [button]
    e2e_point_client "$1" "$2"
    xdotool click "${3:-1}"
    sleep 0.3
}
# Wine's virtual desktop stacks the X windows of windows that another process showed above every other X window,
# topmost ones included: after a switch brings windows back, the bar is topmost for Win32 (and for clicks Wine
# routes itself) but drawn below them, and X sends the pointer's clicks to what it draws on top. Raising the
# bar's X window puts the X stacking back in line with the Win32 one.
e2e_raise_bar() { xdotool search --name "^$E2E_CAPTION\$" windowraise >/dev/null 2>&1; sleep 0.1; }
e2e_pointer_away() { xdotool mousemove 700 600; sleep 0.1; }
e2e_keys() {  # key...
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.12
    done
}

# Waits for the front-most pop-up menu and sets MENU_LEFT MENU_TOP MENU_RIGHT MENU_BOTTOM.
e2e_wait_menu() {
    local i line
    for i in $(seq 30); do
        if line=$(probe menu); then
            # shellcheck disable=SC2034  # read by the scripts
            read -r MENU_LEFT MENU_TOP MENU_RIGHT MENU_BOTTOM <<<"$(head -1 <<<"$line")"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Opens the tray icon's menu (at TRAY_X TRAY_Y, from e2e_tray_icon_shown) and presses the keys given. A click
# during a switch's last steps is ignored, as the bar ignores every click while it switches: once more.
e2e_tray_menu() {  # keys...
    local try
    for try in 1 2 3; do
        xdotool mousemove "$TRAY_X" "$TRAY_Y" click 1
        e2e_wait_menu && { e2e_keys "$@"; return 0; }
    done
    return 1
}

# Waits until the notification area's right end shows the icon's blue tile, and sets TRAY_X TRAY_Y to its
# middle.
e2e_tray_icon_shown() {
    local i rect left top right bottom shot="$E2E_DIR/tray.png"
    for i in $(seq 30); do
        if rect=$(probe tray); then
            read -r left top right bottom <<<"$rect"
            TRAY_X=$((right - 12)) TRAY_Y=$(((top + bottom) / 2))
            e2e_screenshot "$shot"
            e2e_colour_near "$(e2e_pixel "$shot" $((TRAY_X - 4)) "$TRAY_Y")" '#3A6FD9' && return 0
        fi
        sleep 0.2
    done
    return 1
}

e2e_menu_closed() {
    local i
    for i in $(seq 20); do
        probe menu >/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Clicks the middle of a screen rectangle "L T R B"; "2" as the second argument double-clicks, a key as the third
# (ctrl, shift) is held during the click.
e2e_click_rect() {  # rect [clicks] [key]
    local left top right bottom
    read -r left top right bottom <<<"$1"
    [ -n "$bottom" ] || return 1
    xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2))
    sleep 0.1
    [ -n "${3:-}" ] && xdotool keydown "$3"
    xdotool click --repeat "${2:-1}" --delay 80 1
    [ -n "${3:-}" ] && xdotool keyup "$3"
    sleep 0.3
}
# Clicks the child control with the given id (IDYES 6, IDNO 7, IDOK 1) of the top-level window with the title.
e2e_click_control() {  # title id
    e2e_click_rect "$(e2e_control_rect "$1" "$2")"
}
# The static text of a message box.
e2e_message_text() { probe children "$1" | awk -F'\t' '$1 == "Static" && $3 != "" { print $3 }'; }

# --- dialogs ---------------------------------------------------------------------------------------------------

# The current text, and the screen rectangle "L T R B", of the control with the given id.
e2e_control_text() { probe children "$1" | awk -F'\t' -v id="$2" '$2 == id { print $3; exit }'; }
e2e_control_rect() { probe children "$1" | awk -F'\t' -v id="$2" '$2 == id { print $4; exit }'; }
# The texts of a list or combo box's entries, space-separated, and the text of its selected entry.
e2e_items() { probe items "$1" "$2" | cut -f3 | paste -sd ' '; }
e2e_selected_item() { probe items "$1" "$2" | awk -F'\t' '$2 == 1 { print $3 }'; }
# Clicks a list box's entry by its text; the clicks and a held key as with e2e_click_rect.
e2e_click_item() {  # title id text [clicks] [key]
    e2e_click_rect "$(probe items "$1" "$2" | awk -F'\t' -v text="$3" '$3 == text { print $4; exit }')" "${4:-1}" "${5:-}"
}
# Saves the part of a screenshot that the window with the title covers, with a margin of 8 pixels.
e2e_crop_window() {  # shot out title
    local line left top right bottom
    line=$(probe rect "$3") || return 1
    read -r _ left top right bottom _ <<<"$line"
    e2e_crop "$1" "$2" $((left - 8)) $((top - 8)) $((right + 8)) $((bottom + 8))
}

# --- screenshots and pixels -----------------------------------------------------------------------------------

# A screenshot as PNG, and in the sandbox its raw RGB bytes, which e2e_pixel reads.
e2e_screenshot() {  # file.png
    sleep 0.3  # lets the last repaint reach the screen
    import -window root "$1"
    convert "$1" -depth 8 "RGB:$(e2e_raw "$1")"
}
e2e_raw() { echo "$E2E_DIR/$(basename "$1" .png).rgb"; }
# Saves a part of a screenshot, clipped to the screen; metadata stripped so a re-run gives the same bytes.
e2e_crop() {  # shot out left top right bottom
    local left=$(($3 < 0 ? 0 : $3)) top=$(($4 < 0 ? 0 : $4))
    local right=$(($5 > E2E_SCREEN_W ? E2E_SCREEN_W : $5)) bottom=$(($6 > E2E_SCREEN_H ? E2E_SCREEN_H : $6))
    convert "$1" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -strip "$2"
}
# The colour of one screen pixel of a screenshot as #RRGGBB.
e2e_pixel() {  # shot.png x y
    printf '#%s\n' "$(od -An -tx1 -v -j $((($3 * E2E_SCREEN_W + $2) * 3)) -N3 "$(e2e_raw "$1")" | tr -d ' \n' |
        tr a-f A-F)"
}
# How the items of a pop-up menu look, top to bottom, from the darkest pixel of each pixel row inside its frame:
# "enabled" (black text), "greyed" (grey text) or "-" (a separator line). Read with no item highlighted.
e2e_menu_look() {  # shot left top right bottom
    convert "$1" -crop "$(($4 - $2 - 6))x$(($5 - $3 - 4))+$(($2 + 3))+$(($3 + 2))" +repage -depth 8 txt:- |
        awk 'NR > 1 {
                 split($1, at, /[,:]/); y = at[2]
                 gsub(/[()]/, "", $2); split($2, c, ","); sum = c[1] + c[2] + c[3]
                 if (!(y in darkest) || sum < darkest[y]) darkest[y] = sum
                 if (y > last) last = y
             }
             function band() {
                 if (height == 0) return
                 look = height < 4 ? "-" : dark < 150 ? "enabled" : "greyed"
                 out = out (out == "" ? "" : " ") look
                 height = 0
             }
             END {
                 for (y = 0; y <= last; y++) {
                     if (darkest[y] < 505) {
                         if (height == 0 || darkest[y] < dark) dark = darkest[y]
                         height++
                     } else band()
                 }
                 band()
                 print out
             }'
}

# True when two #RRGGBB colours differ by at most 12 in every channel.
e2e_colour_near() {  # a b
    local a=${1#\#} b=${2#\#} i d
    [ ${#a} -eq 6 ] && [ ${#b} -eq 6 ] || return 1
    for i in 0 2 4; do
        d=$((16#${a:i:2} - 16#${b:i:2}))
        [ ${d#-} -le 12 ] || return 1
    done
}
e2e_expect_pixel() {  # what shot x y colour
    local got
    got=$(e2e_pixel "$2" "$3" "$4")
    if e2e_colour_near "$got" "$5"; then
        e2e_pass "$1: $got at ($3,$4)"
    else
        e2e_fail "$1: expected $5 at ($3,$4), got $got"
    fi
}
e2e_expect_pixel_not() {  # what shot x y colour
    local got
    got=$(e2e_pixel "$2" "$3" "$4")
    if e2e_colour_near "$got" "$5"; then
        e2e_fail "$1: $got at ($3,$4) should not be $5"
    else
        e2e_pass "$1: $got at ($3,$4)"
    fi
}

# --- fixtures -------------------------------------------------------------------------------------------------

# A solid-colour bitmap in the pictures folder; prints its Windows path.
e2e_bitmap() {  # name colour
    convert -size 64x48 "xc:$2" "BMP3:$E2E_DIR/pics/$1"
    echo "$E2E_WIN_DIR\\pics\\$1"
}

# The settings file, as UTF-8 text from stdin with LF line ends (the program reads that form too).
e2e_write_ini() { sed 's/$/\r/' >"$E2E_PROG/KORUVAN.ini"; }
# The settings of a bar shown at the top left with 40-pixel buttons, resuming at desk $1; the desk lines
# ("N=name,wallpaper,pattern,background,style") come on standard input.
e2e_write_desks() {  # lastUse
    { printf '[User]\nLastUse=%s\nTopwindow=1\nPosition=0\nAutoHide=0\nSizeNum=0\n[DeskTop]\n' "$1"; cat; } | e2e_write_ini
}

# One more [User] value in a settings file that e2e_write_desks wrote.
e2e_add_user_value() {  # key value
    sed -i "s/^SizeNum=0\r\$/&\n$1=$2\r/" "$E2E_PROG/KORUVAN.ini"
}

# A value of the settings file as text; the file is UTF-16LE with a BOM once the program has written it.
e2e_ini_get() {  # section key
    local file="$E2E_PROG/KORUVAN.ini"
    [ -f "$file" ] || return 1
    if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" = "fffe" ]; then
        iconv -f UTF-16 -t UTF-8 "$file"
    else
        cat "$file"
    fi | tr -d '\r' | awk -v section="$1" -v key="$2" '
        /^\[/ { inside = tolower($0) == "[" tolower(section) "]"; next }
        inside && index($0, "=") {
            name = substr($0, 1, index($0, "=") - 1)
            if (tolower(name) == tolower(key)) { print substr($0, index($0, "=") + 1); found = 1; exit }
        }
        END { exit found ? 0 : 1 }'
}

# Waits up to $4 seconds until the settings file holds the value.
e2e_wait_ini() {  # section key value seconds
    local i value
    for i in $(seq $(($4 * 20))); do
        value=$(e2e_ini_get "$1" "$2") && [ "$value" = "$3" ] && return 0
        sleep 0.05
    done
    return 1
}

# The names in a folder, sorted, one line; hidden marker files of the prefix left out.
e2e_names() {
    find "$1" -mindepth 1 -maxdepth 1 ! -name .koruvan-prefix -printf '%f\n' | LC_ALL=C sort | paste -sd ' '
}

# --- session --------------------------------------------------------------------------------------------------

E2E_REG_SHELL='Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
E2E_REG_USER_SHELL='Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
E2E_REG_DESKTOP='Control Panel\desktop'
E2E_REG_COLORS='Control Panel\Colors'
E2E_REG_DESKTOPS='Software\Microsoft\Windows\CurrentVersion\Explorer\VirtualDesktops'

# The shell's record of virtual desktops, written by a script that plays Windows; gone again at its end, as
# other sessions in this prefix must find none.
e2e_use_system_desktops() {
    e2e_forget_system_desktops
    trap 'e2e_forget_system_desktops; e2e_cleanup' EXIT
}
e2e_forget_system_desktops() { wine reg delete "HKCU\\$E2E_REG_DESKTOPS" /f >/dev/null 2>&1 || true; }
# System desktop n: sixteen bytes of n as the shell stores them, and its text form as the settings file keeps it.
e2e_desktop_bytes() { local n; for n in "$@"; do printf "$n%.0s" {1..16}; done; }
e2e_desktop_id() { local b=$1; echo "{$b$b$b$b-$b$b-$b$b-$b$b-$b$b$b$b$b$b}"; }

e2e_cleanup() {
    local pid
    if e2e_program_running; then
        probe close "$E2E_CAPTION" >/dev/null
        e2e_wait_program_end 5 || true
    fi
    for pid in "${E2E_STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_STARTED_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    if [ "$E2E_REGISTRY_SAVED" = 1 ]; then
        probe reg-restore "$E2E_DIR/registry.saved" || e2e_log "the registry could not be put back"
        probe wallpaper "$(cat "$E2E_DIR/wallpaper.saved")" >/dev/null
    fi
    # Only a session this script set up itself is torn down.
    if [ -n "$KORUVAN_XVFB_PID" ]; then koruvan_stop; fi
}

# The sandbox C:\e2e\NAME\: prog\ (a copy of KORUVAN.exe and its desk folders), Desktop\, pics\.
e2e_setup() {
    # The package check costs seconds; it runs only when a tool is missing.
    local tool
    for tool in wine xdotool import convert Xvfb xdpyinfo iconv; do
        command -v "$tool" >/dev/null || { koruvan_install_packages || exit 1; break; }
    done
    koruvan_locale
    trap e2e_cleanup EXIT
    if ! koruvan_display >/dev/null || ! koruvan_prefix >/dev/null; then
        echo "FAIL: Wine set-up"
        exit 1
    fi
    read -r E2E_SCREEN_W E2E_SCREEN_H < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
    koruvan_wineserver_persist
    E2E_DIR="$WINEPREFIX/drive_c/e2e/$E2E_NAME"
    E2E_WIN_DIR="C:\\e2e\\$E2E_NAME"
    E2E_PROG="$E2E_DIR/prog"
    E2E_DESKTOP="$E2E_DIR/Desktop"
    E2E_WIN_DESKTOP="$E2E_WIN_DIR\\Desktop"
    if probe wait "$E2E_CAPTION" 0; then
        echo "FAIL: KORUVAN is already running in this Wine session; its single instance would stop the test"
        exit 1
    fi
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_PROG/DskTop" "$E2E_DESKTOP" "$E2E_DIR/pics"
    local d
    for d in 0 1 2 3 4 5 6 7 8 9; do mkdir -p "$E2E_PROG/dsk$d"; done
    cp "$E2E_EXE" "$E2E_PROG/KORUVAN.exe"

    probe wallpaper >"$E2E_DIR/wallpaper.saved"
    probe reg-save "$E2E_DIR/registry.saved" "$E2E_REG_SHELL" Desktop "$E2E_REG_USER_SHELL" Desktop \
        "$E2E_REG_DESKTOP" Wallpaper "$E2E_REG_DESKTOP" TileWallpaper "$E2E_REG_DESKTOP" WallpaperStyle \
        "$E2E_REG_DESKTOP" Pattern "$E2E_REG_COLORS" Background || { echo "FAIL: registry saved"; exit 1; }
    E2E_REGISTRY_SAVED=1
    # Both keys: the shell rewrites the first from the second whenever a program asks where the Desktop is.
    probe reg-set "$E2E_REG_SHELL" Desktop "$E2E_WIN_DESKTOP" "$E2E_REG_USER_SHELL" Desktop "$E2E_WIN_DESKTOP" ||
        { echo "FAIL: Desktop folder registered"; exit 1; }
    e2e_pointer_away
}

# The desktop appearance in the registry before the program starts; no wallpaper in effect yet.
e2e_set_appearance() {  # wallpaper style pattern background
    probe reg-set "$E2E_REG_DESKTOP" Wallpaper "$1" "$E2E_REG_DESKTOP" TileWallpaper 0 \
        "$E2E_REG_DESKTOP" WallpaperStyle "$2" "$E2E_REG_DESKTOP" Pattern "$3" "$E2E_REG_COLORS" Background "$4"
    probe wallpaper "" >/dev/null
}
