# Shared set-up for tools/run and tools/test; source it. Installs what is missing, builds the project-local Wine
# prefix (Japanese fonts and locale, a virtual desktop) and provides a virtual X screen when there is no display.

KORUVAN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${KORUVAN_WINEPREFIX:-$KORUVAN_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko installers; no menu entries written into $HOME by shortcut saves.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

KORUVAN_PACKAGES=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev clang-format
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 xvfb xdotool imagemagick x11-utils
  fonts-ipafont-gothic locales zip unzip)

koruvan_log() { printf '[koruvan] %s\n' "$*" >&2; }

koruvan_install_packages() {
  local missing=()
  local p
  for p in "${KORUVAN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  koruvan_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# A Japanese UTF-8 locale built into build/, so Wine's ANSI code page is 932 without touching the system.
koruvan_locale() {
  local dir="$KORUVAN_ROOT/build/locale"
  if [ ! -d "$dir/ja_JP.UTF-8" ]; then
    mkdir -p "$dir"
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || true
  fi
  export LOCPATH="$dir"
  # bash itself cannot load the locale from LOCPATH and would warn; the programs it starts can.
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

# Wine links the prefix's Desktop, Documents, ... to $HOME. KORUVAN moves the Desktop's files, so every such link
# becomes a real folder inside the prefix. A hidden marker keeps the Desktop non-empty: Wine replaces only empty
# folders by links when it updates the prefix.
koruvan_prefix_sandbox() {
  local users="$WINEPREFIX/drive_c/users"
  local prefix_real link
  prefix_real=$(cd "$WINEPREFIX" && pwd -P)
  for link in "$users"/*/*; do
    [ -L "$link" ] || continue
    case "$(readlink -f "$link")" in "$prefix_real"/*) continue ;; esac
    rm -f "$link"
    mkdir -p "$link"
  done
  local desktop
  for desktop in "$users"/*/Desktop; do
    [ -d "$desktop" ] && [ ! -L "$desktop" ] && : >"$desktop/.koruvan-prefix"
  done
  return 0
}

koruvan_prefix() {
  local stamp="$WINEPREFIX/.koruvan-ready"
  if [ -f "$stamp" ]; then
    koruvan_prefix_sandbox
    return 0
  fi
  koruvan_log "creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  koruvan_prefix_sandbox
  # Debian's Wine does not load its own Tahoma and Marlett unless they are in the prefix.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local face
  for face in "MS UI Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "ＭＳ ゴシック" "MS Gothic" "Meiryo" "Yu Gothic UI"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1
  done
  # Every program of the prefix runs inside one virtual desktop: title bars, a painted wallpaper, and quick
  # window hiding (without a window manager Wine waits about 2 s each time).
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

KORUVAN_XVFB_PID=""
# Uses $DISPLAY when it answers; otherwise starts Xvfb on a free display number. Xvfb picks the number itself
# and says which (-displayfd), so two runs started at once never share one screen.
koruvan_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local chosen n="" i
  chosen=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$chosen" >/dev/null 2>&1 &
  KORUVAN_XVFB_PID=$!
  for i in $(seq 50); do
    n=$(tr -d '[:space:]' <"$chosen")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$chosen"
  if [ -n "$n" ]; then
    export DISPLAY=":$n"
    for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  fi
  koruvan_log "Xvfb did not start"
  return 1
}

# Keeps one wineserver and one virtual desktop ($KORUVAN_DESKTOP_SIZE, default 1024x768) alive until
# koruvan_stop, so each Wine program starts warm (about 0.2 s instead of 1.5 s). The session's services
# (services.exe, winedevice, rpcss...) and the desktop's explorer.exe start here, detached from any pipe: started
# by a test program they would inherit its output pipe, and ctest would wait for them to end; and a desktop
# started by a program ends again a second after it.
koruvan_wineserver_persist() {
  # A server kept from an earlier screen holds a desktop whose windows no longer exist: new windows would fail.
  if ! xwininfo -root -tree 2>/dev/null | grep -q '"Default - Wine desktop"'; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  if ! xwininfo -root -tree 2>/dev/null | grep -q '"Default - Wine desktop"'; then
    (wine explorer "/desktop=Default,${KORUVAN_DESKTOP_SIZE:-1024x768}" </dev/null >/dev/null 2>&1 &)
    local i
    for i in $(seq 50); do
      xwininfo -root -tree 2>/dev/null | grep -q '"Default - Wine desktop"' && break
      sleep 0.1
    done
  fi
  return 0
}

koruvan_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$KORUVAN_XVFB_PID" ]; then kill "$KORUVAN_XVFB_PID" 2>/dev/null || true; fi
}

koruvan_setup_wine() {
  koruvan_install_packages
  koruvan_locale
  koruvan_display
  koruvan_prefix
}
