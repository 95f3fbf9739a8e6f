# Shared by the set-up, run and test scripts. Source it; it defines functions
# and a few variables and changes nothing until they are called.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
WIN_BUILD=$BUILD/windows
TEMPLATE_PREFIX=$BUILD/wine-template
# Bump when the prefix configuration below changes, so old prefixes are redone.
PREFIX_CONFIG_VERSION=2

log() { printf '[tessaro] %s\n' "$*" >&2; }
die() { log "error: $*"; exit 1; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages listed in the given files that are not there yet.
ensure_packages() {
  local missing=() pkg
  for pkg in $(cat "$@" | sed 's/#.*//'); do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y \
    --no-install-recommends "${missing[@]}" >"$BUILD/apt.log" 2>&1 ||
    { tail -n 30 "$BUILD/apt.log"; die "apt-get install failed"; }
}

# The zh_CN locale, compiled into the build tree: Wine takes its code page
# (936) and its UI language from it.
ensure_locale() {
  local dir=$BUILD/locale
  if [ ! -f "$dir/zh_CN.UTF-8/LC_CTYPE" ]; then
    log "compiling the zh_CN.UTF-8 locale"
    mkdir -p "$dir"
    localedef -i zh_CN -f UTF-8 "$dir/zh_CN.UTF-8" 2>"$BUILD/localedef.log" ||
      [ -f "$dir/zh_CN.UTF-8/LC_CTYPE" ] || die "localedef failed (see $BUILD/localedef.log)"
  fi
  # LC_ALL would override LANG for Wine; bash itself cannot switch to it.
  unset LC_ALL LC_CTYPE LC_MESSAGES
  export LOCPATH=$dir LANG=zh_CN.UTF-8
}

wine_env() {
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
  export WINEARCH=win64
}

build_windows() {
  # Compiler messages in the developer's language, not the program's.
  local LANG=C.UTF-8
  if [ ! -f "$WIN_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$BUILD/cmake-configure.log" 2>&1 ||
      { cat "$BUILD/cmake-configure.log"; die "cmake configure failed"; }
  fi
  cmake --build "$WIN_BUILD" -j "$(nproc)" -- --no-print-directory >"$BUILD/cmake-build.log" 2>&1 ||
    { grep -E 'error|Error' -A3 "$BUILD/cmake-build.log" | head -n 60; die "build failed (see $BUILD/cmake-build.log)"; }
}

# Writes a .reg file as UTF-16LE with a byte-order mark (regedit reads
# non-ASCII names only that way) and imports it into $WINEPREFIX.
import_reg() {
  local text=$1 file
  file=$(mktemp --suffix=.reg)
  { printf '\xff\xfe'; printf 'Windows Registry Editor Version 5.00\n\n%s\n' "$text" |
      sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
  timeout -k 5 120 wine regedit /S "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1
  local rc=$?
  rm -f "$file"
  return $rc
}

stop_wineserver() {
  timeout -k 5 30 wineserver -k >/dev/null 2>&1
  timeout -k 5 30 wineserver -w >/dev/null 2>&1 || true
}

# Documents of these kinds open with the desktop's own program (LibreOffice,
# WPS, a PDF viewer), as Wine itself opens .pdf: its winebrowser hands the
# file to xdg-open. Each extension with the class it gets and the class's
# type name, as the contents list shows it.
DESKTOP_DOCUMENTS=(
  '.doc Tessaro.WordDocument Word 文档'
  '.docx Tessaro.WordDocument Word 文档'
  '.odt Tessaro.OpenDocumentText OpenDocument 文本'
  '.pdf Tessaro.PdfDocument PDF 文档'
)
# An extension that has a program in $WINEPREFIX already (a real Word, Wine's
# own for .pdf) keeps it.
register_desktop_documents() {
  local key="HKEY_LOCAL_MACHINE\\Software\\Classes" answer=$BUILD/extension-class.txt text="" entry
  local extension class name
  local -A written=()
  for entry in "${DESKTOP_DOCUMENTS[@]}"; do
    read -r extension class name <<<"$entry"
    rm -f "$answer"
    timeout -k 5 60 wine reg query "HKLM\\Software\\Classes\\$extension" /ve </dev/null >"$answer" 2>/dev/null || true
    grep -qE 'REG_SZ[[:space:]]+[^[:space:]]' "$answer" && continue
    text+="[$key\\$extension]
@=\"$class\"

"
    [ -n "${written[$class]:-}" ] && continue
    written[$class]=1
    text+="[$key\\$class]
@=\"$name\"

[$key\\$class\\shell\\open\\command]
@=\"\\\"C:\\\\windows\\\\system32\\\\winebrowser.exe\\\" \\\"%1\\\"\"

"
  done
  [ -z "$text" ] || import_reg "$text"
}

# Gives $WINEPREFIX the Chinese fonts, Marlett and 96 DPI, and the desktop's
# programs for documents. Safe to repeat.
configure_prefix() {
  local marker=$WINEPREFIX/.tessaro-config
  [ "$(cat "$marker" 2>/dev/null)" = "$PREFIX_CONFIG_VERSION" ] && return 0
  log "configuring Wine prefix $WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # No display while the prefix is made: nothing should pop up, and the
    # prefix must come out the same with or without one.
    (unset DISPLAY; timeout -k 5 300 wineboot -i </dev/null >"$BUILD/wineboot.log" 2>&1) ||
      die "wineboot failed (see $BUILD/wineboot.log)"
  fi
  local simsun='"WenQuanYi Micro Hei"'
  import_reg "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
\"SimSun\"=$simsun
\"宋体\"=$simsun
\"NSimSun\"=$simsun
\"新宋体\"=$simsun

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
\"LogPixels\"=dword:00000060" || die "registry import failed"
  register_desktop_documents || die "cannot associate documents with the desktop's programs"
  cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  stop_wineserver
  echo "$PREFIX_CONFIG_VERSION" >"$marker"
}

ensure_template_prefix() {
  (export WINEPREFIX=$TEMPLATE_PREFIX; configure_prefix)
}

# A private copy of the template: hard links for the bulk, real copies of the
# registry files, which wineserver rewrites in place.
clone_prefix() {
  local target=$1
  rm -rf "$target"
  cp -al "$TEMPLATE_PREFIX" "$target"
  local reg
  for reg in system.reg user.reg userdef.reg; do
    rm -f "$target/$reg"
    cp "$TEMPLATE_PREFIX/$reg" "$target/$reg"
  done
}

# Starts Xvfb on a free display number unless DISPLAY is already set, and sets
# XVFB_PID for stop_xvfb.
XVFB_PID=
start_xvfb_unless_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$BUILD/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  die "could not start Xvfb"
}

stop_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

build_engine() {
  local LANG=C.UTF-8
  "$ROOT/scripts/build-engine.sh" >"$BUILD/engine-build.log" 2>&1 ||
    { tail -n 40 "$BUILD/engine-build.log"; die "engine build failed (see $BUILD/engine-build.log)"; }
}

# Everything both commands need before they start: packages, locale, builds, prefix.
# TESSARO_SKIP_ENGINE=1 leaves the document engine out (no merge or split then).
setup_all() {
  mkdir -p "$BUILD"
  ensure_packages "$ROOT"/scripts/packages/*.txt
  ensure_locale
  wine_env
  build_windows
  [ "${TESSARO_SKIP_ENGINE:-0}" = 1 ] || build_engine
  ensure_template_prefix
}

# Our Word automation server, and the engine it starts, as the class of
# "Word.Application" in $WINEPREFIX. A registration of anyone else's (a real
# Word installed in the prefix) is left alone.
WORD_SERVER_CLSID='{6C1D3A52-8E4B-4F6A-9A1E-3B7C2D5E8F41}'
# wordproxy.dll, which carries the server's calls in the client.
WORD_PROXY_CLSID='{2F6B9D4E-51A7-4C3B-8E0D-6A921F47B3C8}'
register_word_server() {
  local server=$WIN_BUILD/wordsrv/wordsrv.exe engine=$BUILD/engine/tessaro-engine
  local proxy=$WIN_BUILD/wordsrv/wordproxy.dll
  [ -f "$server" ] && [ -f "$proxy" ] && [ -x "$engine" ] || die "build the server and the engine first"
  local answer=$BUILD/word-class.txt
  rm -f "$answer"
  timeout -k 5 60 wine reg query 'HKLM\Software\Classes\Word.Application\CLSID' /ve </dev/null >"$answer" 2>/dev/null || true
  local current
  current=$(grep -o '{[0-9A-Fa-f-]*}' "$answer" | head -n 1 || true)
  if [ -n "$current" ] && [ "${current^^}" != "$WORD_SERVER_CLSID" ]; then
    log "Word.Application is already registered in $WINEPREFIX ($current): leaving it alone"
    return 0
  fi
  # .reg strings escape backslashes and quotes.
  local command
  command="\"$(winepath -w "$server" 2>/dev/null)\" --engine \"$(winepath -w "$engine" 2>/dev/null)\""
  command=${command//\\/\\\\}
  command=${command//\"/\\\"}
  local library
  library=$(winepath -w "$proxy" 2>/dev/null)
  library=${library//\\/\\\\}
  local key="HKEY_LOCAL_MACHINE\\Software\\Classes"
  import_reg "[$key\\Word.Application]
@=\"Tessaro Word automation server\"

[$key\\Word.Application\\CLSID]
@=\"$WORD_SERVER_CLSID\"

[$key\\CLSID\\$WORD_SERVER_CLSID]
@=\"Tessaro Word automation server\"

[$key\\CLSID\\$WORD_SERVER_CLSID\\ProgID]
@=\"Word.Application\"

[$key\\CLSID\\$WORD_SERVER_CLSID\\LocalServer32]
@=\"$command\"

[$key\\CLSID\\$WORD_PROXY_CLSID]
@=\"Tessaro Word automation proxy\"

[$key\\CLSID\\$WORD_PROXY_CLSID\\InprocServer32]
@=\"$library\"
\"ThreadingModel\"=\"Both\"" || die "cannot register the Word automation server"
}

# The prefix the program runs in: the caller's, or one of our own made from
# the template once.
use_run_prefix() {
  if [ -n "${WINEPREFIX:-}" ]; then
    configure_prefix
  else
    export WINEPREFIX=$BUILD/wine
    [ -f "$WINEPREFIX/.tessaro-config" ] || clone_prefix "$WINEPREFIX"
  fi
}

# Writes a PNG of the top-level window with that caption, as it shows on
# $DISPLAY. Waits up to 60 s for the window to appear.
capture_window() {
  local title=$1 out=$2 desktop=${3:-} geometry=$BUILD/window-geometry.txt
  rm -f "$geometry"
  local finder=("$WIN_BUILD/tests/support/find-window.exe" "$title" "$(winepath -w "$geometry")" 60)
  # Started in a Wine desktop, the command lasts as long as the desktop does:
  # run it in the background and wait for the finder's answer instead.
  if [ -n "$desktop" ]; then
    wine explorer "/desktop=$desktop" "${finder[@]}" </dev/null >/dev/null 2>&1 &
  else
    wine "${finder[@]}" </dev/null >/dev/null 2>&1 &
  fi
  local i
  for i in $(seq 1 700); do
    [ -s "$geometry" ] && break
    sleep 0.1
  done
  [ -s "$geometry" ] || { log "no window titled '$title' appeared"; return 1; }
  local x y w h
  read -r x y w h <"$geometry"
  # Let the window finish painting before the picture is taken.
  sleep 1
  mkdir -p "$(dirname "$out")"
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
}

# run_windows_bench NAME EXE SECONDS [ARGS...]: runs a benchmark executable
# of the Windows build in the bench prefix on a display, and prints its figures.
run_windows_bench() {
  local name=$1 exe=$2 seconds=$3 out=$BUILD/bench-$1.txt
  shift 3
  setup_all
  export WINEPREFIX=$BUILD/wine-bench
  [ -f "$WINEPREFIX/system.reg" ] || clone_prefix "$WINEPREFIX"
  trap 'stop_wineserver; stop_xvfb' EXIT
  start_xvfb_unless_display
  wineserver -p
  timeout -k 5 "$seconds" wine "$exe" "$@" </dev/null >"$out" 2>&1 || { cat "$out"; die "$name benchmark failed"; }
  tr -d '\r' <"$out"
}
