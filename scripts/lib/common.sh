# Shared by the project's commands: paths, the build, a private Wine prefix,
# and the Xvfb display and wineserver that a run needs. Source it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN_DIR=$BUILD_DIR/bin

export WINEPREFIX=$BUILD_DIR/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts, no menu-builder entries on the host.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

XVFB_PID=""

# Bytes of the sections of a PE file as `objdump -h` lists them (in memory
# for .bss, in the file for the others), leaving out the sections named in
# the further arguments.
ravo_section_bytes() {
  local file=$1
  shift
  i686-w64-mingw32-objdump -h "$file" | awk -v skip=" $* " '
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
ravo_start_wine() {
  mkdir -p "$WINEPREFIX"
  wineserver -p
  if [ ! -f "$WINEPREFIX/.ravo-ready" ]; then
    wine wineboot -i </dev/null >/dev/null 2>&1
    # No window manager under Xvfb: unmanaged windows hide without waiting.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$WINEPREFIX/.ravo-ready"
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

ravo_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
