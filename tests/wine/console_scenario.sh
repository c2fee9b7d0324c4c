#!/usr/bin/env bash
# The console scanner under Wine, end to end: both platform families, a real process found and terminated,
# registry keys and a value removed and restored, files and folders removed, backed up and restored byte for
# byte, cookie files, the automatic log switched by the settings store, and the exit statuses 0, 1 and 2;
# help, version, the JSON report read back with a JSON parser, and a definition update and its rollback.
# Usage: console_scenario.sh veltrane.exe veltrane-test-item.exe veltrane-codec
# Exit 77 (skipped) when the Windows build is absent. Runs in a prefix of its own, build/wine-test-prefix.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
item_exe="${2:-$repo/build/windows/tests/win32/veltrane-test-item.exe}"
codec="${3:-$repo/build/native/tools/codec/veltrane-codec}"
need "$veltrane_exe" "$item_exe" "$codec"

wine_prefix "${VELTRANE_WINE_TEST_PREFIX:-$repo/build/wine-test-prefix}" || exit 1
root_win='C:\VeltraneWineTest'
root="$WINEPREFIX/drive_c/VeltraneWineTest"
program="$root/program"
user_profile="$(wine cmd /c 'echo %UserProfile%' 2>/dev/null | tr -d '\r')"
cookies="$(wine_unix_path "$user_profile\\Cookies")"
scratch="$(mktemp -d)"
sleeper_pid=""

cleanup() {
  keep_outputs
  [[ -n "$sleeper_pid" ]] && kill "$sleeper_pid" 2>/dev/null && wait "$sleeper_pid" 2>/dev/null
  rm -rf "$root" "$scratch"
  rm -f "$cookies"/*wine-test-cookie* "$cookies/user@harmless[1].txt"
  local key
  for key in VeltraneWineTest 'VeltraneWineTest -- data -- Name' Veltrane 'Wine\AppDefaults\veltrane.exe'; do
    wine reg delete "HKCU\\Software\\$key" /f >/dev/null 2>&1
  done
}
trap cleanup EXIT
cleanup
scratch="$(mktemp -d)"

has() { grep -qF -- "$2" "$1"; }
lacks() { ! grep -qF -- "$2" "$1"; }

run() { run_in "$program" "$root_win\\program\\veltrane.exe" "$@"; }

start_sleeper() {
  wine "$root_win\\bin\\wine-test-sleeper.exe" 120 >/dev/null 2>&1 &
  sleeper_pid=$!
  sleep 3
}

# Waits up to 10 seconds for the sleeper to end; true when it ended before being killed.
sleeper_ended() {
  local waited=0 killed=0
  while kill -0 "$sleeper_pid" 2>/dev/null && [[ $waited -lt 20 ]]; do sleep 0.5; waited=$((waited + 1)); done
  kill -0 "$sleeper_pid" 2>/dev/null && { kill "$sleeper_pid" 2>/dev/null; killed=1; }
  wait "$sleeper_pid" 2>/dev/null
  sleeper_pid=""
  return $killed
}

autosave_logs() { find "$program" -maxdepth 1 -name 'Veltrane log*.txt' | wc -l; }

mkdir -p "$program" "$root/bin" "$root/files" "$root/originals" "$cookies"
cp "$veltrane_exe" "$program/veltrane.exe"
cp "$item_exe" "$root/bin/wine-test-sleeper.exe"

# json_check FILE PYTHON-EXPRESSION: true when the expression holds for the report parsed as `r`.
json_check() {
  python3 -c 'import json, sys; r = json.load(open(sys.argv[1], encoding="utf-8")); sys.exit(0 if eval(sys.argv[2]) else 1)' "$1" "$2"
}

echo "== help and version"
run --help
check "--help exits 0 (it was $rc)" test "$rc" -eq 0
run --version
check "--version exits 0 (it was $rc)" test "$rc" -eq 0
check "--version prints the version" has "$scratch/out" "Veltrane 7.5.0"

echo "== exit status 2: a command line it does not know, and no definitions to scan with"
wine reg add 'HKCU\Software\Veltrane\Options' /v SaveLogFile /d 0 /f >/dev/null 2>&1
run frobnicate
check "an unknown command exits 2 (it was $rc)" test "$rc" -eq 2
run scan
check "a scan without definitions exits 2 (it was $rc)" test "$rc" -eq 2

# The test definitions: on the NT family the process is matched by its whole path (first pair), on the 9x
# family by its file name (second pair), so the display name tells which family matched.
plain spyList.txt \
  '"Wine Test Process NT","C:\VELTRANEWINETEST\BIN\WINE-TEST-SLEEPER"' \
  '"Wine Test Process 9x","wine-test-sleeper"' \
  '"Wine Test File","C:\VeltraneWineTest\files\data.bin"' \
  '"Wine Test Folder","C:\VeltraneWineTest\files\folder"' \
  '"Wine Test Absent","C:\VeltraneWineTest\files\absent.txt"'
plain RegistrySpyList.txt \
  '"Wine Test Key","HKEY_CURRENT_USER\Software\VeltraneWineTest\Key"' \
  '"Wine Test Value","HKEY_CURRENT_USER\Software\VeltraneWineTest -- data -- Name"' \
  '"Wine Test Absent Key","HKEY_CURRENT_USER\Software\VeltraneWineTest\Absent"'
plain spyExtList.txt '"exe","dll","log","lnk"'
plain SpywareCookies.txt '"Wine Test Cookie","wine-test-cookie"'
encode_definitions "$program"

echo "== exit status 0: nothing planted; no automatic log while Options/SaveLogFile is 0"
echo "harmless" >"$cookies/user@harmless[1].txt"
run scan
check "a clean scan exits 0 (it was $rc)" test "$rc" -eq 0
check "a clean scan lists the running processes" has "$scratch/out" "Running processes:"
check "a clean scan shows no message: $(cat "$scratch/err")" test ! -s "$scratch/err"
check "SaveLogFile 0 writes no automatic log" test "$(autosave_logs)" -eq 0

echo "== NT family: everything planted, backed up and removed"
wine reg add 'HKCU\Software\Veltrane\Options' /v SaveLogFile /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Veltrane\AdditionalOptions' /v IncludeAdditionalProcessInfo /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Veltrane\AdditionalOptions' /v IncludeAdditionalFileInfo /d 1 /f >/dev/null 2>&1
mkdir -p "$root/files/folder/sub"
head -c 3000 /dev/urandom >"$root/files/data.bin"
printf 'line\r\nEOF\x1a\x00\xff after\n' >>"$root/files/data.bin"
echo "in the folder" >"$root/files/folder/a.txt"
head -c 700 /dev/urandom >"$root/files/folder/sub/b.bin"
cp -r "$root/files/." "$root/originals/"
wine reg add 'HKCU\Software\VeltraneWineTest\Key' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\VeltraneWineTest' /v Name /d data /f >/dev/null 2>&1
wine reg add 'HKCU\Software\VeltraneWineTest -- data -- Name' /f >/dev/null 2>&1
echo "tracker" >"$cookies/user@wine-test-cookie[1].txt"
echo "tracker" >"$cookies/user@wine-test-cookie[2].txt"
start_sleeper
run scan --backup "$root_win\\monday.bwk" --remove --report "$root_win\\report.json"
cp "$scratch/out" "$scratch/nt.log"
report="$root/report.json"
cp "$report" "$scratch/report.json" 2>/dev/null
check "the report is JSON whose exit is the process's status ($rc)" json_check "$report" "r['exit'] == $rc"
check "the report is of schema 1 from NT" json_check "$report" "r['schema'] == 1 and r['platformFamily'] == 'NT'"
check "the report's times carry an offset" json_check "$report" "all(r[k][19] in '+-' for k in ('started', 'finished'))"
for finding in "memory:Wine Test Process NT" "registry:Wine Test Key" "drive:Wine Test File" \
               "drive:Wine Test Folder" "cookie:wine-test-cookie"; do
  check "the report has the $finding finding, backed up" json_check "$report" \
    "any(f['category'] == '${finding%%:*}' and f['name'] == '${finding#*:}' and f['backedUp'] for f in r['findings'])"
done
check "the report has the file's path, removed" json_check "$report" \
  "any(f['path'] == r'C:\VeltraneWineTest\files\data.bin' and f['removed'] for f in r['findings'])"
check "the report shows no error" json_check "$report" "r['errors'] == []"
check "a scan with findings exits 1 (it was $rc)" test "$rc" -eq 1
check "SaveLogFile 1 writes the automatic log" test "$(autosave_logs)" -eq 1
check "the automatic log names the findings" grep -qF 'Wine Test Process NT' "$program"/Veltrane\ log*.txt
check "NT: the process list holds the sleeper's whole path" \
  grep -qiF 'C:\VeltraneWineTest\bin\wine-test-sleeper.exe' "$scratch/nt.log"
check "NT: the bare-name definition does not match" lacks "$scratch/nt.log" "Wine Test Process 9x"
check "NT: the identified process has a hexadecimal ID" grep -qE '^ +ProcID: [0-9A-F]+$' "$scratch/nt.log"
check "NT: the identified process has its priority" grep -qE '^ +BasePriority: Normal$' "$scratch/nt.log"
check "the registry value record is found" has "$scratch/nt.log" 'HKEY_CURRENT_USER\Software\VeltraneWineTest -- data -- Name'
check "the absent key is not reported" lacks "$scratch/nt.log" "Wine Test Absent Key"
check "the absent file is not reported" lacks "$scratch/nt.log" "absent.txt"
check "the backup is reported made" has "$scratch/err" "The backup has been created successfully."
check "NT: --remove terminated the sleeper" sleeper_ended
check "the file was removed" test ! -e "$root/files/data.bin"
check "the folder was removed" test ! -e "$root/files/folder"
check "both cookie files were removed" test -z "$(find "$cookies" -name '*wine-test-cookie*')"
check "the cookie that matches no definition stays" test -e "$cookies/user@harmless[1].txt"
check "the registry value was deleted" no_reg_value 'HKCU\Software\VeltraneWineTest' Name
check "no failure was reported: $(grep -v '^Veltrane: ' "$scratch/err")" test -z "$(grep -v '^Veltrane: ' "$scratch/err")"

echo "== backups and restore"
run backups
check "backups lists the backup list" grep -qiF 'C:\VeltraneWineTest\monday.bwk' "$scratch/out"
run restore "$root_win\\monday.bwk"
check "restore exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "the file is restored byte for byte" cmp -s "$root/originals/data.bin" "$root/files/data.bin"
check "the folder is restored with its contents" diff -r "$root/originals/folder" "$root/files/folder"
check "the registry value is written back" test "$(reg_value 'HKCU\Software\VeltraneWineTest' Name)" = data

echo "== 9x family (Windows 98 reported to veltrane.exe)"
rm -rf "$root/files/data.bin" "$root/files/folder"
wine reg delete 'HKCU\Software\VeltraneWineTest' /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\VeltraneWineTest -- data -- Name' /f >/dev/null 2>&1
wine_set_app_version veltrane.exe win98
start_sleeper
run scan --remove
cp "$scratch/out" "$scratch/9x.log"
check "9x: a scan with a finding exits 1 (it was $rc)" test "$rc" -eq 1
check "9x: the process list holds the sleeper's file name" grep -qiE '^[0-9]+: +wine-test-sleeper\.exe$' "$scratch/9x.log"
check "9x: the sleeper is matched by its file name" has "$scratch/9x.log" "Wine Test Process 9x"
check "9x: the whole-path definition does not match" lacks "$scratch/9x.log" "Wine Test Process NT"
check "9x: the identified process has its priority" grep -qE '^ +BasePriority: Normal$' "$scratch/9x.log"
check "9x: --remove terminated the sleeper" sleeper_ended
wine reg delete 'HKCU\Software\Wine\AppDefaults\veltrane.exe' /f >/dev/null 2>&1

echo "== clean again"
run scan
check "the scan after the removals exits 0 (it was $rc)" test "$rc" -eq 0

echo "== definition update and rollback"
mkdir -p "$root/update"
printf '%s\r\n' '"Wine Test Update","C:\VeltraneWineTest\files\update.txt"' >>"$scratch/spyList.txt"
encode_definitions "$root/update"
cp "$program/Spylist" "$scratch/Spylist.installed"
(cd "$root/update" && sha256sum Spylist RegistrySpylist spyExtList SpywareCookies >SHA256SUMS)
run update "$root_win\\update"
check "the update exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "the update installed the new file" cmp -s "$root/update/Spylist" "$program/Spylist"
touch "$root/files/update.txt"
run scan --report -
check "a scan with the new definitions finds the new marker" json_check "$scratch/out" \
  "any(f['name'] == 'Wine Test Update' for f in r['findings']) and r['exit'] == $rc == 1"
run update --rollback
check "the rollback exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "the rollback put the earlier file back" cmp -s "$scratch/Spylist.installed" "$program/Spylist"

echo "$passed checks passed"
exit $failed
