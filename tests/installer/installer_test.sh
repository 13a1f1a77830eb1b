#!/usr/bin/env bash
# Installer tests under Wine. Each case runs in a copy of the test prefix with
# a wineserver of its own (same X display), so installing and uninstalling
# leave the shared prefix and the other tests alone.
#
#   installer_test.sh <case> key=value...
#   cases: lifecycle  install an older version, run it, upgrade it while it
#                     runs, install interactively (the Finish page starts it
#                     through the shell), uninstall it while it runs
#          obra       a platform OBRA.dll in the system folder or in the
#                     install folder is used, never overwritten or removed;
#                     /FORCEOBRA; without either, a silent install fails
#          rights     without administrator rights: exit code 740; outside
#                     the protected folders: exit code 3; nothing installed
#          inuse      a copy running in another session: its files are
#                     replaced, or removed, at the next restart (exit 3010)
#          signing    the signed installer, program, library and uninstaller
#                     carry valid signatures of the test certificate
#          language   installer and uninstaller in the display language
#                     (German here): their pages and their own messages
#          package    scripts/package builds in a tree of its own: the test
#                     builds keep their configuration and their tests
#   keys:  setup version older older_version user signed signed_ui_access
#          cert probe obra program root build i686_build work
# Needs WINEPREFIX (a ready test prefix) and DISPLAY, as scripts/test sets.
set -euo pipefail

case_name=${1:?case}
shift
declare -A arg
for a in "$@"; do arg[${a%%=*}]=${a#*=}; done

# Needs no Wine: a package built as the user builds one, then the same tests
# and the same configuration in the test builds as before.
if [ "$case_name" = package ]; then
  fingerprint() {
    local tree
    for tree in "${arg[i686_build]}" "${arg[build]}"; do
      grep -v -e '^#' -e '^$' "$tree/CMakeCache.txt"
      (cd "$tree" && ctest -N) | grep -e 'Test *#' -e 'Total Tests'
    done
  }
  before=$(fingerprint)
  export BUILD_DIR=${arg[i686_build]}
  installer=$(env -u RAVO_SIGN_CERT -u RAVO_SIGN_KEY "${arg[root]}/scripts/package" | tail -n 1)
  [ -f "$installer" ] || { echo "FAIL [package]: no package made ($installer)" >&2; exit 1; }
  case $installer in
    "${arg[i686_build]}"/*) echo "FAIL [package]: $installer lies in the test build" >&2; exit 1 ;;
  esac
  echo "ok   package made in a tree of its own: $installer"
  if [ "$(fingerprint)" != "$before" ]; then
    diff <(echo "$before") <(fingerprint) >&2 || true
    echo "FAIL [package]: the test builds changed" >&2
    exit 1
  fi
  echo "ok   the test builds keep their configuration and their tests"
  echo "PASS [package]"
  exit 0
fi

RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINST_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravo'
VERSION_KEY='HKLM\SOFTWARE\RAVO'
INSTALL_WIN='C:\Program Files\Ravo'
CLOSE_WAIT_S=15

: "${WINEPREFIX:?WINEPREFIX: run through scripts/test}" "${DISPLAY:?DISPLAY: run through scripts/test}"
[ -f "$WINEPREFIX/.ravo-ready" ] || { echo "no ready prefix at $WINEPREFIX" >&2; exit 1; }

work=${arg[work]}/$case_name
rm -rf "$work"
mkdir -p "$work"
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
INSTALL_DIR=$WINEPREFIX/drive_c/Program\ Files/Ravo
SYSTEM_DIR=$WINEPREFIX/drive_c/windows/system32

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work/prefix"
}
trap cleanup EXIT
# Persistent while the case runs; gone a minute after its last process even
# if this script is killed before its trap runs.
wineserver -p60
wine cmd /c exit </dev/null >/dev/null 2>&1
# The copy may predate these settings if the shared server has not saved yet,
# and hold values that other tests had only for a while (the version the
# About box tests set) when it saved last.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg delete 'HKLM\SOFTWARE\RAVO' /f >/dev/null 2>&1 || true

# --- helpers ---------------------------------------------------------------

fail() { echo "FAIL [$case_name]: $*" >&2; exit 1; }
ok() { echo "ok   $*"; }
expect() { # description actual expected
  [ "$2" == "$3" ] || fail "$1: got '$2', expected '$3'"
  ok "$1"
}
expect_ci() { # like expect, case-insensitive (Wine spells system paths in lower case)
  [ "${2,,}" == "${3,,}" ] || fail "$1: got '$2', expected '$3'"
  ok "$1"
}
same_file() { cmp -s "$2" "$3" || fail "$1: $2 differs from $3"; ok "$1"; }
absent() { [ ! -e "$2" ] || fail "$1: $2 exists"; ok "$1"; }

w() { wine "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The data of a registry value, or status 1 when it is missing.
reg_value() {
  local out
  out=$(w reg query "$1" /v "$2") || return 1
  sed -n "s/^    $2    REG_[A-Z_]*    //p" <<<"$out"
}
has_key() { w reg query "$1" >/dev/null; }
no_value() { if reg_value "$2" "$3" >/dev/null; then fail "$1: $2\\$3 is still there"; fi; ok "$1"; }
no_key() { if has_key "$2"; then fail "$1: $2 is still there"; fi; ok "$1"; }

# Probe output "key=value" lines: the value of one key.
field() { sed -n "s/^$2=//p" <<<"$1"; }
probe() { w "${arg[probe]}" "$@"; }

# Runs an installer, then its arguments; sets install_rc. Through cmd, so
# that a /D= folder with blanks reaches it unquoted, as it must.
install() {
  local started=$SECONDS exe
  exe="Z:${1//\//\\}"  # Wine shows the host's root as drive Z:
  [[ $exe != *" "* ]] || fail "the installer's path has a blank: $exe"
  install_rc=0
  w cmd /c "$exe ${*:2}" >/dev/null || install_rc=$?
  echo "     ($(basename "$1") $2 took $((SECONDS - started)) s)"
}

# Starts the program with the command line of its Run entry, as the logon
# does, and waits until it runs; sets ravo_pid (of the Wine process).
start_from_run_entry() {
  local command exe
  command=$(reg_value "$RUN_KEY" Ravo) || fail "no Run entry to start from"
  exe=${command#\"}
  exe=${exe%\"}
  wine "$exe" </dev/null >/dev/null 2>&1 &
  ravo_pid=$!
  running=$(probe running 15000) || fail "the installed program did not start"
}

# Waits for the program started last to end; fails unless it ended by itself
# with exit code 0 (the documented close, not a kill).
expect_ended() {
  local waited=0 rc=0
  while kill -0 "$ravo_pid" 2>/dev/null; do
    [ $waited -lt $((CLOSE_WAIT_S * 10)) ] || fail "$1: the program is still running"
    sleep 0.1
    waited=$((waited + 1))
  done
  wait "$ravo_pid" || rc=$?
  expect "$1 (exit code)" "$rc" 0
}

# Runs the registered quiet uninstall command and waits for the uninstaller,
# which re-launches itself from a temporary folder ("Un.exe"), to end.
uninstall() {
  local command exe args started=$SECONDS rc=0
  command=$(reg_value "$UNINST_KEY" QuietUninstallString) || fail "no QuietUninstallString"
  exe=${command#\"}
  exe=${exe%%\"*}
  args=${command##*\" }
  w "$exe" $args >/dev/null || rc=$?
  expect "uninstaller started" "$rc" 0
  probe gone Un.exe 30000 >/dev/null || fail "the uninstaller did not finish"
  echo "     (uninstall took $((SECONDS - started)) s)"
}

expect_nothing_installed() {
  absent "$1: nothing installed" "$INSTALL_DIR"
  no_key "$1: no version key" "$VERSION_KEY"
  no_key "$1: no uninstall entry" "$UNINST_KEY"
  no_value "$1: no Run entry" "$RUN_KEY" Ravo
}

# Runs an installer without /S and clicks through its pages to Finish, whose
# ticked "Start Ravo now" starts the program; sets install_rc and clicked.
install_interactive() {
  local pid
  wine "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  clicked=$(wine "${arg[probe]}" next 90000 </dev/null 2>"$work/next.err" | tr -d '\r') ||
    fail "could not click through the installer: $(tail -n 3 "$work/next.err"); clicked: $(tr '\n' ' ' <<<"$clicked")"
  install_rc=0
  wait "$pid" || install_rc=$?
}

# Closes a copy that the test did not start itself ("Ravo.exe Close"), asking
# once more if it is still running after a while (a loaded machine).
close_program() {
  local attempt
  for attempt in 1 2; do
    w "$INSTALL_WIN\Ravo.exe" Close >/dev/null
    probe gone Ravo.exe 15000 >/dev/null && return 0
  done
  fail "$1 did not close"
}

# Another session, as far as Wine has one: a desktop of its own, where the
# installer's FindWindow does not see the copy.
start_in_other_session() {
  wine explorer /desktop=other,640x480 "$INSTALL_WIN\Ravo.exe" </dev/null >/dev/null 2>&1 &
  probe started Ravo.exe 15000 >/dev/null || fail "no copy started in the other session"
  sleep 2
  if probe running 1000 >/dev/null 2>&1; then fail "the other session's copy is visible here"; fi
}
end_other_session() {
  wine explorer /desktop=other,640x480 "$INSTALL_WIN\Ravo.exe" Close </dev/null >/dev/null 2>&1 &
  probe gone Ravo.exe 15000 >/dev/null || fail "the other session's copy did not close"
}

# A restart, as Wine has one: wineboot carries out the pending renames and
# deletes, then starts the Run entries as a logon does.
restart() {
  wine wineboot </dev/null >/dev/null 2>&1 || fail "wineboot failed"
}

expect_removed() { # what the uninstall removes
  absent "$1: program folder removed" "$INSTALL_DIR"
  no_value "$1: Run entry removed" "$RUN_KEY" Ravo
  no_key "$1: version key removed" "$VERSION_KEY"
  no_key "$1: uninstall entry removed" "$UNINST_KEY"
}

# A platform library stand-in: our OBRA.dll with a marker after its image,
# still loadable, and distinguishable by its bytes.
make_vendor_copy() {
  cat "${arg[obra]}" >"$1"
  printf 'platform copy, not ours' >>"$1"
}

# --- cases -----------------------------------------------------------------

case_lifecycle() {
  local v=${arg[version]} old=${arg[older_version]} about product

  install "${arg[older]}" /S /FORCEOBRA
  expect "install $old with the simulator: exit code" "$install_rc" 0
  same_file "program installed" "${arg[program]}" "$INSTALL_DIR/Ravo.exe"
  same_file "our OBRA.dll installed" "${arg[obra]}" "$INSTALL_DIR/OBRA.dll"
  [ -f "$INSTALL_DIR/uninst.exe" ] || fail "no uninstaller"
  expect "version recorded" "$(reg_value "$VERSION_KEY" Version)" "$old"
  expect "Run entry" "$(reg_value "$RUN_KEY" Ravo)" "\"$INSTALL_WIN\\Ravo.exe\""
  expect "uninstall entry: name" "$(reg_value "$UNINST_KEY" DisplayName)" Ravo
  expect "uninstall entry: version" "$(reg_value "$UNINST_KEY" DisplayVersion)" "$old"
  expect "uninstall entry: publisher" "$(reg_value "$UNINST_KEY" Publisher)" "Ravo developers"
  expect "uninstall entry: icon" "$(reg_value "$UNINST_KEY" DisplayIcon)" "$INSTALL_WIN\\Ravo.exe,0"
  expect "uninstall entry: command" "$(reg_value "$UNINST_KEY" UninstallString)" "\"$INSTALL_WIN\\uninst.exe\""
  expect "uninstall entry: quiet command" "$(reg_value "$UNINST_KEY" QuietUninstallString)" "\"$INSTALL_WIN\\uninst.exe\" /S"

  start_from_run_entry
  expect "running program is the installed one" "$(field "$running" exe)" "$INSTALL_WIN\\Ravo.exe"
  expect "it bound the installed OBRA.dll" "$(field "$running" obra)" "$INSTALL_WIN\\OBRA.dll"
  about=$(probe about 10000) || fail "About box of $old"
  expect "About box shows $old" "$(field "$about" about)" "Ravo Ver $old"

  install "${arg[setup]}" /S
  expect "upgrade to $v while running: exit code" "$install_rc" 0
  expect_ended "upgrade closed the running copy"
  same_file "program replaced" "${arg[program]}" "$INSTALL_DIR/Ravo.exe"
  same_file "upgrade kept the simulator" "${arg[obra]}" "$INSTALL_DIR/OBRA.dll"
  expect "version updated" "$(reg_value "$VERSION_KEY" Version)" "$v"
  expect "uninstall entry: version updated" "$(reg_value "$UNINST_KEY" DisplayVersion)" "$v"
  product=$(probe version "$INSTALL_WIN\\Ravo.exe") || fail "no version block"
  expect "program's version block: product" "$(field "$product" product)" Ravo
  expect "program's version block: version" "$(field "$product" version)" "$v"

  start_from_run_entry
  about=$(probe about 10000) || fail "About box of $v"
  expect "About box shows $v" "$(field "$about" about)" "Ravo Ver $v"

  install "${arg[setup]}" /S
  expect "reinstall of $v while running: exit code" "$install_rc" 0
  expect_ended "reinstall closed the running copy"

  install_interactive "${arg[setup]}"
  expect "interactive install: exit code" "$install_rc" 0
  expect "interactive install: pages clicked" "$(sed -n 's/^clicked=//p' <<<"$clicked" | tr '\n' ' ')" "Next > Install Finish "
  running=$(probe running 15000) || fail "the Finish page did not start the program"
  expect "the Finish page started the installed program" "$(field "$running" exe)" "$INSTALL_WIN\Ravo.exe"
  expect_ci "the shell started it, not the installer" "$(field "$running" parent)" explorer.exe
  close_program "the program started by the Finish page"

  start_from_run_entry
  uninstall
  expect_ended "uninstall closed the running copy"
  expect_removed "uninstall"
}

case_obra() {
  local vendor=$work/vendor-OBRA.dll
  make_vendor_copy "$vendor"

  # No platform library, and the simulator not asked for.
  install "${arg[setup]}" /S
  expect "silent install without any OBRA.dll: exit code" "$install_rc" 4
  expect_nothing_installed "no OBRA.dll"

  # The platform's library in the system folder.
  cp "$vendor" "$SYSTEM_DIR/OBRA.dll"
  install "${arg[setup]}" /S
  expect "install beside a platform OBRA.dll: exit code" "$install_rc" 0
  absent "no OBRA.dll of ours" "$INSTALL_DIR/OBRA.dll"
  start_from_run_entry
  expect_ci "the program bound the platform OBRA.dll" "$(field "$running" obra)" 'C:\windows\system32\OBRA.dll'
  uninstall
  expect_ended "uninstall closed the running copy"
  same_file "platform OBRA.dll untouched" "$vendor" "$SYSTEM_DIR/OBRA.dll"
  expect_removed "uninstall"

  # /FORCEOBRA puts ours first; a later install without it leaves the
  # platform's library in charge again.
  install "${arg[setup]}" /S /FORCEOBRA
  expect "install /FORCEOBRA: exit code" "$install_rc" 0
  same_file "our OBRA.dll installed" "${arg[obra]}" "$INSTALL_DIR/OBRA.dll"
  same_file "platform OBRA.dll untouched" "$vendor" "$SYSTEM_DIR/OBRA.dll"
  install "${arg[setup]}" /S
  expect "reinstall without /FORCEOBRA: exit code" "$install_rc" 0
  absent "our OBRA.dll removed again" "$INSTALL_DIR/OBRA.dll"
  install "${arg[setup]}" /S /FORCEOBRA
  uninstall
  same_file "platform OBRA.dll untouched" "$vendor" "$SYSTEM_DIR/OBRA.dll"
  expect_removed "uninstall after /FORCEOBRA"
  rm -f "$SYSTEM_DIR/OBRA.dll"

  # A copy in the install folder that the installer did not put there.
  mkdir -p "$INSTALL_DIR"
  cp "$vendor" "$INSTALL_DIR/OBRA.dll"
  install "${arg[setup]}" /S /FORCEOBRA
  expect "install over a platform OBRA.dll in the folder: exit code" "$install_rc" 0
  same_file "platform OBRA.dll in the folder not overwritten" "$vendor" "$INSTALL_DIR/OBRA.dll"
  start_from_run_entry
  expect "the program bound it" "$(field "$running" obra)" "$INSTALL_WIN\\OBRA.dll"
  uninstall
  expect_ended "uninstall closed the running copy"
  same_file "platform OBRA.dll in the folder kept" "$vendor" "$INSTALL_DIR/OBRA.dll"
  absent "program removed" "$INSTALL_DIR/Ravo.exe"
  absent "uninstaller removed" "$INSTALL_DIR/uninst.exe"
  no_key "version key removed" "$VERSION_KEY"
  no_value "Run entry removed" "$RUN_KEY" Ravo
  rm -rf "$INSTALL_DIR"

  # The mark of our simulator speaks for its own folder only: a platform
  # OBRA.dll in another install folder is neither replaced nor removed.
  local other_win='C:\Program Files\Other' other=$WINEPREFIX/drive_c/Program\ Files/Other
  install "${arg[setup]}" /S /FORCEOBRA
  mkdir -p "$other"
  cp "$vendor" "$other/OBRA.dll"
  install "${arg[setup]}" /S "/D=$other_win"
  expect "install into another folder with a platform OBRA.dll: exit code" "$install_rc" 0
  same_file "platform OBRA.dll in the other folder kept" "$vendor" "$other/OBRA.dll"
  uninstall
  same_file "platform OBRA.dll in the other folder kept by the uninstall" "$vendor" "$other/OBRA.dll"
}

case_rights() {
  install "${arg[user]}" /S
  # 740 (ERROR_ELEVATION_REQUIRED); a Unix exit status keeps its low byte.
  expect "silent install without administrator rights: exit code" "$install_rc" $((740 % 256))
  expect_nothing_installed "no rights"
  echo "     (a Wine user is always an administrator: the installer variant under test"
  echo "      takes its account type from the build instead of the system)"

  if [ "${arg[signed_ui_access]}" != 1 ]; then
    echo "     (no signed package whose program asks for UI access: folders not tested)"
    return
  fi
  # Only folders below Program Files: not the system folder (which Windows
  # redirects for a 32-bit installer), not the roots themselves.
  local folder
  for folder in 'C:\Ravo' 'C:\windows\system32x\Ravo' 'C:\windows\system32\..\Ravo' \
                'C:\windows\system32\Ravo' 'C:\windows\system32' 'C:\Program Files' \
                'C:\Program Files\' 'C:\Program Files\..\Ravo' 'C:\Program Files Evil\Ravo'; do
    install "${arg[signed]}" /S /FORCEOBRA "/D=$folder"
    expect "silent install into $folder: exit code" "$install_rc" 3
    [ -z "$(find "$WINEPREFIX/drive_c" -name uninst.exe)" ] || fail "something installed in $folder"
    expect_nothing_installed "$folder"
  done
  # Program Files by its short name (Wine makes its own, not PROGRA~1).
  local short
  short=$(w cmd /c 'dir /x C:\' | awk 'NF >= 3 && $(NF-1) == "Program" && $NF == "Files" { print $(NF-2) }')
  install "${arg[signed]}" /S /FORCEOBRA "/D=C:\\$short\\Vendor\\Ravo"
  expect "silent install into C:\\$short\\Vendor\\Ravo: exit code" "$install_rc" 0
  expect "recorded under its long name" "$(reg_value "$UNINST_KEY" InstallLocation)" \
    'C:\Program Files\Vendor\Ravo'
}

case_inuse() {
  local v=${arg[version]} name
  install "${arg[older]}" /S /FORCEOBRA
  expect "install: exit code" "$install_rc" 0

  start_in_other_session
  install "${arg[setup]}" /S
  expect "upgrade while a copy runs in another session: exit code" "$install_rc" $((3010 % 256))
  for name in Ravo.exe OBRA.dll; do
    [ -f "$INSTALL_DIR/$name.new" ] || fail "no new $name waiting beside the one in use"
    ok "the new $name waits for the restart"
  done
  expect "version recorded" "$(reg_value "$VERSION_KEY" Version)" "$v"
  end_other_session
  restart
  for name in Ravo.exe OBRA.dll; do
    absent "$name replaced at the restart" "$INSTALL_DIR/$name.new"
  done
  same_file "program in place" "${arg[program]}" "$INSTALL_DIR/Ravo.exe"
  same_file "simulator in place" "${arg[obra]}" "$INSTALL_DIR/OBRA.dll"
  running=$(probe running 15000) || fail "the Run entry did not start the program after the restart"
  expect "the restart started the installed program" "$(field "$running" exe)" "$INSTALL_WIN\\Ravo.exe"
  close_program "the program started at the restart"

  start_in_other_session
  uninstall
  [ -f "$INSTALL_DIR/Ravo.exe" ] || fail "the program in use was removed at once"
  ok "the program in use stays until the restart"
  no_key "uninstall entry removed" "$UNINST_KEY"
  end_other_session
  restart
  expect_removed "uninstall, after the restart"
}

case_signing() {
  command -v osslsigncode >/dev/null || { echo "osslsigncode missing: skipped"; exit 77; }
  verify() {
    osslsigncode verify -CAfile "${arg[cert]}" -in "$2" >"$work/verify.log" 2>&1 \
      || { cat "$work/verify.log" >&2; fail "$1: no valid signature"; }
    ok "$1"
  }
  verify "installer signed" "${arg[signed]}"
  install "${arg[signed]}" /S /FORCEOBRA
  expect "install of the signed installer: exit code" "$install_rc" 0
  verify "installed program signed" "$INSTALL_DIR/Ravo.exe"
  verify "installed OBRA.dll signed" "$INSTALL_DIR/OBRA.dll"
  verify "uninstaller signed" "$INSTALL_DIR/uninst.exe"
  uninstall
  expect_removed "uninstall"
}

case_language() {
  # Wine takes the display language and the code page (1252) from LANG.
  export LC_ALL= LANG=de_DE.UTF-8
  labels() { sed -n 's/^clicked=//p' <<<"$clicked" | iconv -f CP1252 -t UTF-8 | tr '\n' ' '; }
  local message
  install_interactive "${arg[user]}"
  expect "without administrator rights: exit code" "$install_rc" $((740 % 256))
  message=$(sed -n 's/^message=//p' <<<"$clicked" | iconv -f CP1252 -t UTF-8)
  expect "its message in German" "${message%%.*}." "Das Ravo-Setup benötigt Administratorrechte."

  make_vendor_copy "$SYSTEM_DIR/OBRA.dll"
  install_interactive "${arg[setup]}"
  expect "install: exit code" "$install_rc" 0
  expect "install: German pages" "$(labels)" "Weiter > Installieren Fertigstellen "
  close_program "the program started by the Finish page"

  install_interactive "$INSTALL_DIR/uninst.exe"
  probe gone Un.exe 30000 >/dev/null || fail "the uninstaller did not finish"
  expect "uninstall: German pages" "$(labels)" "Deinstallieren Beenden "
  expect_removed "uninstall"

  # Traditional Chinese: English, as the program shows it, not Simplified Chinese.
  LANG=zh_TW.UTF-8 install_interactive "${arg[user]}"
  message=$(sed -n 's/^message=//p' <<<"$clicked")
  expect "for Traditional Chinese, its message in English" "${message%%.*}." \
    "Ravo Setup needs administrator rights."
}

"case_$case_name"
echo "PASS [$case_name]"
