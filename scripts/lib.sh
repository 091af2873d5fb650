# Shared by scripts/run, scripts/test and scripts/bench: installing what is
# missing, building the trees, and a private X display and Wine server.
# Sourced, not run.

QS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QS_BUILD=${QS_BUILD:-$QS_ROOT/build}
QS_JOBS=${QS_JOBS:-$(nproc)}

QS_PACKAGES=(
  cmake make g++ clang googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool xclip x11-utils imagemagick libx11-dev
  locales fonts-ipafont-gothic fonts-wine unzip
)

qs_log() { printf '== %s\n' "$*" >&2; }

qs_sudo() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the given Debian packages that are not there yet
# (checked with dpkg -s); the package lists are read once per run.
QS_APT_UPDATED=""
qs_apt_install() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
  done
  ((${#missing[@]})) || return 0
  qs_log "installing: ${missing[*]}"
  if [ -z "$QS_APT_UPDATED" ]; then
    qs_sudo apt-get update -qq
    QS_APT_UPDATED=1
  fi
  qs_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

qs_install() {
  qs_apt_install "${QS_PACKAGES[@]}"
  # The sanitizer and libFuzzer runtime must be the one of the clang that is
  # installed, whichever version that is.
  local major
  major=$(clang -dumpversion | cut -d. -f1)
  qs_apt_install "libclang-rt-$major-dev"
  qs_locale
}

# Wine takes code page 932 from LC_ALL; the Linux side needs the locale too,
# or Japanese command-line arguments reach the program garbled.
qs_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    qs_log "generating ja_JP.UTF-8"
    qs_sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | qs_sudo tee -a /etc/locale.gen >/dev/null
    qs_sudo locale-gen >/dev/null
  fi
}

# Warnings are errors wherever the scripts build (CI included); a build by
# hand may pass -DQS_WERROR=OFF.
QS_WERROR=${QS_WERROR:-ON}

# qs_build_native <dir> <build type>: clang tree of the portable core.
qs_build_native() {
  local dir=$1 type=${2:-RelWithDebInfo}
  cmake -S "$QS_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DQS_WERROR="$QS_WERROR" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$dir" -j "$QS_JOBS"
}

# qs_build_win <dir> <build type>: MinGW tree of the program and its tests.
qs_build_win() {
  local dir=$1 type=${2:-RelWithDebInfo}
  cmake -S "$QS_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DQS_WERROR="$QS_WERROR" \
        -DCMAKE_TOOLCHAIN_FILE="$QS_ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$dir" -j "$QS_JOBS"
}

# Everything a script starts is ended by its own id: its virtual display and
# the Wine server of its own prefix, never anything else's.
QS_PIDS=()
QS_OWN_SERVER=""
qs_cleanup() {
  if [ -n "$QS_OWN_SERVER" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${QS_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# Starts a private virtual display on a number Xvfb picks itself (it skips
# the numbers in use) and exports DISPLAY.
qs_start_xvfb() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  QS_PIDS+=($!)
  local pid=$! deadline=$((SECONDS + 20)) number=""
  # Xvfb writes the number, a whole line, once it accepts connections.
  until IFS= read -r number <"$number_file"; do
    if ! kill -0 "$pid" 2>/dev/null || ((SECONDS >= deadline)); then
      rm -f "$number_file"
      qs_log "Xvfb did not start"
      return 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$number"
  rm -f "$number_file"
}

# qs_wine_env <prefix>: Wine settings for a prefix of this checkout's build
# folder: no debug output, no Mono/Gecko prompts, code page 932. A Wine
# server belongs to its prefix, so programs of other prefixes (the one
# scripts/run uses, another checkout's) never share it.
qs_wine_env() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    qs_log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  # Debian's Wine does not look in the folder where fonts-wine puts Wine's
  # own fonts; without Marlett the caption buttons read "0 1 r". The
  # prefix's Fonts folder is always searched.
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# How long the server of a test or bench prefix outlives its last program:
# long enough to span the gaps between test programs, short enough that a
# run killed before its clean-up leaves no server for long.
QS_SERVER_LINGER=${QS_SERVER_LINGER:-20}

# qs_start_wine <prefix>: the Wine settings and one server of that prefix
# for the whole run (a server started per test program costs seconds each
# time). A server already running cannot be made persistent, so one left in
# this prefix is replaced.
qs_start_wine() {
  qs_wine_env "$1"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p"$QS_SERVER_LINGER"
  QS_OWN_SERVER=1
  wineboot >/dev/null 2>&1 || true
  # Without a window manager on the virtual display, Wine waits two seconds
  # for one at every window that goes away; unmanaged windows need no wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
