# Shared by scripts/run, scripts/test and scripts/bench: installing what is
# missing, building the trees, and a private X display and Wine server.
# Sourced, not run.

QS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QS_BUILD=${QS_BUILD:-$QS_ROOT/build}
QS_JOBS=${QS_JOBS:-$(nproc)}

QS_PACKAGES=(
  cmake make g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool xclip x11-utils imagemagick
  locales fonts-ipafont-gothic
)

qs_log() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages that are not there yet (checked with dpkg -s).
qs_install() {
  local missing=() pkg
  for pkg in "${QS_PACKAGES[@]}"; do
    dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    qs_log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  qs_locale
}

# Wine takes code page 932 from LC_ALL; the Linux side needs the locale too,
# or Japanese command-line arguments reach the program garbled.
qs_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    qs_log "generating ja_JP.UTF-8"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}

# qs_build_native <dir> <build type>: clang tree of the portable core.
qs_build_native() {
  local dir=$1 type=${2:-RelWithDebInfo}
  cmake -S "$QS_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$dir" -j "$QS_JOBS"
}

# qs_build_win <dir> <build type>: MinGW tree of the program and its tests.
qs_build_win() {
  local dir=$1 type=${2:-RelWithDebInfo}
  cmake -S "$QS_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_TOOLCHAIN_FILE="$QS_ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$dir" -j "$QS_JOBS"
}

QS_PIDS=()
qs_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${QS_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# Starts a private virtual display and exports DISPLAY.
qs_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QS_PIDS+=($!)
  export DISPLAY=":$n"
  local deadline=$((SECONDS + 20))
  until xdpyinfo >/dev/null 2>&1; do
    ((SECONDS < deadline)) || { qs_log "Xvfb did not start"; return 1; }
    sleep 0.1
  done
}

# Wine settings: a private prefix, no debug output, no Mono/Gecko prompts,
# code page 932. The server stays up for the whole run.
qs_start_wine() {
  export WINEPREFIX="$QS_BUILD/wineprefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    qs_log "creating the Wine prefix"
    wineboot -i >/dev/null 2>&1
  fi
  # One server for the whole run: a server started per test program costs
  # seconds each time. A server already running cannot be made persistent,
  # so it is replaced.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p
  wineboot >/dev/null 2>&1 || true
  # Without a window manager on the virtual display, Wine waits two seconds
  # for one at every window that goes away; unmanaged windows need no wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
