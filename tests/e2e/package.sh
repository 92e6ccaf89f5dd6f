#!/usr/bin/env bash
# The download package, made by tools/package around this build's KORUVAN.exe (the Release configuration of the
# preset release too): named after the version of CMakeLists.txt, it holds KORUVAN.exe and a read-me that Notepad
# shows. Unzipped into an empty folder, the exe makes its first run there under Wine, which has none of MinGW's
# DLLs: the settings file, the desk folders and the pool appear and the bar is shown.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

version=$(sed -n 's/^project(KORUVAN VERSION \([0-9.]*\).*/\1/p' "$E2E_SOURCE/CMakeLists.txt")
make_package() {
    "$E2E_SOURCE/tools/package" --from "$(dirname "$E2E_EXE")" --out "$E2E_DIR/dist" >"$E2E_DIR/package.log" 2>&1
}
e2e_require "tools/package runs" make_package
zip="$E2E_DIR/dist/KORUVAN-$version.zip"
e2e_require "the zip is named after the version $version" test -f "$zip"
e2e_expect_eq "the zip holds the exe and the read-me" "KORUVAN.exe README.txt" "$(unzip -Z1 "$zip" | paste -sd ' ')"

E2E_PROG="$E2E_DIR/unpacked"
mkdir -p "$E2E_PROG"
unzip -q "$zip" -d "$E2E_PROG"
readme="$E2E_PROG/README.txt"
e2e_expect_eq "the read-me starts with the UTF-8 byte-order mark" "efbbbf" "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')"
e2e_expect_true "the read-me is valid UTF-8" iconv -f UTF-8 -t UTF-8 "$readme" -o /dev/null
e2e_expect_eq "every line of the read-me ends in CRLF" 0 "$(grep -cv $'\r$' "$readme")"
e2e_expect_true "the read-me names the version" grep -q "バージョン $version" "$readme"
e2e_expect_eq "the exe's version resource" "$version" "$(strings -el "$E2E_PROG/KORUVAN.exe" | grep -A1 -x FileVersion | tail -1)"

e2e_require "the exe starts from the unzipped folder and shows its bar" e2e_start_program
e2e_expect_eq "the first run made the settings file, the desk folders and the pool" \
    "DskTop KORUVAN.exe KORUVAN.ini KORUVAN.items README.txt dsk0 dsk1 dsk2 dsk3 dsk4 dsk5 dsk6 dsk7 dsk8 dsk9" \
    "$(e2e_names "$E2E_PROG")"
e2e_expect_eq "the first desk is the current Desktop" "デスクトップ" "$(e2e_ini_get DeskTop 0 | cut -d, -f1)"

# The first run hides the bar at the top edge; the pointer there brings it back for the screenshot.
xdotool mousemove 90 0
sleep 0.3
xdotool mousemove 92 0
sleep 1.2
e2e_screenshot "$E2E_SHOTS/package-first-run-full.png"
e2e_finish
