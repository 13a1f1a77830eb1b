# Shared by the project's commands: paths, the builds, a private Wine prefix,
# and the Xvfb display and wineserver that a run needs. Source it.
#
# Two builds of the same tree: i686 in $BUILD_DIR (what ships: the platform's
# library is 32-bit) and x86_64 in $BUILD_DIR/x86_64, for machines whose
# kernel executes no 32-bit programs, where only 64-bit Wine runs.
# ravo_use_arch points BIN_DIR, the prefix and `wine` at one of them.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN_DIR=$BUILD_DIR/bin
RAVO_ARCH=i686
RAVO_HOST_PATH=$PATH

export WINEPREFIX=$BUILD_DIR/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts, no menu-builder entries on the host.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

XVFB_PID=""
# Why the last ravo_start_wine failed.
RAVO_WINE_ERROR=""

# Bytes of the sections of a PE file as `objdump -h` lists them (in memory
# for .bss, in the file for the others), leaving out the sections named in
# the further arguments.
ravo_section_bytes() {
  local file=$1
  shift
  "$RAVO_ARCH-w64-mingw32-objdump" -h "$file" | awk -v skip=" $* " '
    function hex(s,   i, v) {
      v = 0
      for (i = 1; i <= length(s); i++)
        v = v * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
      return v
    }
    $1 ~ /^[0-9]+$/ && NF >= 7 && index(skip, " " $2 " ") == 0 { total += hex($3) }
    END { print total + 0 }'
}

ravo_setup() {
  "$ROOT/scripts/setup"
}

ravo_build() {
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake --preset mingw -B "$BUILD_DIR" -S "$ROOT" "$@" >/dev/null
  fi
  cmake --build "$BUILD_DIR"
}

# The build folder of an architecture.
ravo_arch_dir() {
  case "$1" in
    i686) echo "$BUILD_DIR" ;;
    x86_64) echo "$BUILD_DIR/x86_64" ;;
    *) echo "unknown architecture '$1' (i686 or x86_64)" >&2; return 1 ;;
  esac
}

# Configures and builds the x86_64 tree (optionally only the given targets).
# Its checks of the shipped binaries read the i686 files in $BUILD_DIR/bin.
ravo_build_x86_64() {
  local dir=$BUILD_DIR/x86_64
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake --preset mingw-x86_64 -B "$dir" -S "$ROOT" -DRAVO_SHIPPED_BIN_DIR="$BUILD_DIR/bin" >/dev/null
  fi
  cmake --build "$dir" ${1:+--target "$@"}
}

# Builds the given targets (all without any) of one architecture's tree.
ravo_build_arch() {
  local arch=$1
  shift
  if [ "$arch" = x86_64 ]; then
    ravo_build_x86_64 "$@"
  elif [ $# -eq 0 ]; then
    ravo_build
  else
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
      cmake --preset mingw -B "$BUILD_DIR" -S "$ROOT" >/dev/null
    fi
    cmake --build "$BUILD_DIR" --target "$@"
  fi
}

# Makes the Wine commands run one architecture's build: BIN_DIR, a prefix of
# its own, and for x86_64 a win64 prefix run by the 64-bit loader. Debian's
# /usr/bin/wine takes the 32-bit loader whenever it is installed, so for
# x86_64 a `wine` on PATH starts /usr/lib/wine/wine64 itself, on every
# machine alike. (Wine still hands a 32-bit program to the 32-bit loader
# beside wine64 where the kernel runs one; the x86_64 tree has none.)
ravo_use_arch() {
  local dir
  dir=$(ravo_arch_dir "$1") || return 1
  RAVO_ARCH=$1
  BIN_DIR=$dir/bin
  export WINEPREFIX=$dir/wineprefix
  PATH=$RAVO_HOST_PATH
  if [ "$1" = i686 ]; then
    export WINEARCH=win32
    unset WINELOADER
    return 0
  fi
  export WINEARCH=win64
  local shim=$dir/wine64-shim
  mkdir -p "$shim"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/wine"
  chmod +x "$shim/wine"
  export WINELOADER=/usr/lib/wine/wine64
  export PATH=$shim:$RAVO_HOST_PATH
}

# Builds the shipped targets once more with clang, lld and LLVM's resource
# compiler (warnings are errors there too), in $BUILD_DIR/clang; runs nothing.
# clang 14 does not recognise Debian's "12-posix" GCC folder, so it gets a
# sysroot of links with a plain version number.
ravo_build_clang() {
  local dir=$BUILD_DIR/clang
  local sysroot=$dir/sysroot
  local gcc
  gcc=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-posix | sort -V | tail -n 1)
  mkdir -p "$sysroot/lib/gcc/i686-w64-mingw32"
  ln -sfn /usr/i686-w64-mingw32 "$sysroot/i686-w64-mingw32"
  ln -sfn "$gcc" "$sysroot/lib/gcc/i686-w64-mingw32/$(basename "$gcc" -posix)"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake --preset clang-mingw -B "$dir" -S "$ROOT" -DRAVO_CLANG_SYSROOT="$sysroot" >/dev/null
  fi
  cmake --build "$dir" --target Ravo obra obractl ravo_shell_start
}

# Starts a private Xvfb and exports DISPLAY.
ravo_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local display
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$display"
}

# Creates the prefix on first use; then starts a persistent wineserver and
# warms it up, so that Wine's own services are running before any test
# process starts (otherwise they inherit CTest's output pipe and hang it).
# Returns 1 with the reason in RAVO_WINE_ERROR when Wine runs nothing here;
# a Wine that hangs is given up on after a few minutes.
ravo_start_wine() {
  local rc=0
  RAVO_WINE_ERROR=""
  mkdir -p "$WINEPREFIX"
  if ! wineserver -p; then
    RAVO_WINE_ERROR="wineserver did not start"
    return 1
  fi
  if [ ! -f "$WINEPREFIX/.ravo-ready" ]; then
    timeout 300 wine wineboot -i </dev/null >/dev/null 2>&1 || rc=$?
    if [ $rc -ne 0 ]; then
      RAVO_WINE_ERROR="'wine wineboot -i' failed in a $WINEARCH prefix (exit code $rc)"
      return 1
    fi
    # No window manager under Xvfb: unmanaged windows hide without waiting.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$WINEPREFIX/.ravo-ready"
    # A server restart makes every later process start as in a prefix made
    # before: in the session that made it, each program start took seconds.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p
  fi
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    RAVO_WINE_ERROR="'wine cmd /c exit' failed in a $WINEARCH prefix (exit code $rc)"
    return 1
  fi
  # A window starts the desktop process (explorer.exe) now, not from the
  # first test that makes one.
  timeout 60 wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

# Whether Wine's 32-bit loader starts at all; prints why not.
ravo_i686_loader_runs() {
  local out
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "Wine's 32-bit loader /usr/lib/wine/wine is not installed (Debian package wine32:i386)"
    return 1
  fi
  if ! out=$(timeout 30 /usr/lib/wine/wine --version 2>&1); then
    echo "this machine cannot execute 32-bit programs (/usr/lib/wine/wine --version: ${out:-no output})"
    return 1
  fi
}

# Chooses the build that runs (call it inside the Xvfb session) and starts
# Wine for it: RAVO_TEST_ARCH=i686|x86_64|both by hand, or by trying: the
# i686 build where Wine's 32-bit loader starts and a 32-bit program (cmd in
# a win32 prefix) runs, the x86_64 build otherwise. Sets RAVO_ARCHES (the
# builds to run, in order; Wine runs for the first) and prints one line
# "<what> on the ... build: <why>". Exits when no build can run.
ravo_choose_arch() {
  local what=$1 want=${RAVO_TEST_ARCH:-} why="" no32=""
  case "$want" in
    ""|i686|x86_64|both) ;;
    *) echo "RAVO_TEST_ARCH must be i686, x86_64 or both, not '$want'" >&2; exit 2 ;;
  esac
  if [ -n "$want" ]; then
    why="chosen by RAVO_TEST_ARCH=$want"
    RAVO_ARCHES=$want
    [ "$want" = both ] && RAVO_ARCHES="i686 x86_64"
    ravo_use_arch "${RAVO_ARCHES%% *}"
    if [ "$RAVO_ARCH" = i686 ] && ! no32=$(ravo_i686_loader_runs); then
      echo "RAVO_TEST_ARCH=$want: the i686 build cannot run here: $no32" >&2
      exit 1
    fi
    if ! ravo_start_wine; then
      echo "RAVO_TEST_ARCH=$want: Wine does not run the $RAVO_ARCH build here: $RAVO_WINE_ERROR" >&2
      exit 1
    fi
  else
    ravo_use_arch i686
    if ! no32=$(ravo_i686_loader_runs); then
      :
    elif ravo_start_wine; then
      no32=""
    else
      no32="32-bit Wine runs no Windows program here: $RAVO_WINE_ERROR"
      ravo_stop_wine
    fi
    if [ -z "$no32" ]; then
      RAVO_ARCHES=i686
      why="this machine runs 32-bit Windows programs"
    else
      RAVO_ARCHES=x86_64
      why=$no32
      ravo_use_arch x86_64
      if ! ravo_start_wine; then
        echo "no build can run here. i686: $no32. x86_64: 64-bit Wine" \
          "(/usr/lib/wine/wine64, Debian package wine64) does not run either: $RAVO_WINE_ERROR" >&2
        exit 1
      fi
    fi
  fi
  if [ "$RAVO_ARCHES" = "i686 x86_64" ]; then
    echo "$what on the i686 and the x86_64 builds: $why"
  else
    echo "$what on the $RAVO_ARCHES build: $why"
  fi
}

# Stops the wineserver of the current prefix.
ravo_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

ravo_stop() {
  ravo_stop_wine
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
