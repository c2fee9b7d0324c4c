#!/usr/bin/env bash
# The console scanner on 64-bit Windows (a 64-bit Wine prefix): footprints of 32-bit programs in the 32-bit
# registry view, "Program Files (x86)" and SysWOW64 are found under their own paths, backed up, removed,
# restored and excluded; a profile without the old cookie folder scans cleanly and its shell cookie folders are
# searched; the bundled definitions find nothing in a clean prefix.
# Usage: wow64_scenario.sh veltrane.exe veltrane-codec bundled-program-folder
# Exit 77 (skipped) when the Windows build is absent. Runs in a prefix of its own, build/wine-wow64-prefix.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
codec="${2:-$repo/build/native/tools/codec/veltrane-codec}"
bundled="${3:-$repo/build/windows/program}"
need "$veltrane_exe" "$codec" "$bundled/Spylist"

wine_prefix "${VELTRANE_WINE_WOW64_PREFIX:-$repo/build/wine-wow64-prefix}" || exit 1
root_win='C:\VeltraneWow64Test'
root="$WINEPREFIX/drive_c/VeltraneWow64Test"
x86="$WINEPREFIX/drive_c/Program Files (x86)"
x64="$WINEPREFIX/drive_c/Program Files"
syswow64="$WINEPREFIX/drive_c/windows/syswow64"
local_app_data="$(wine cmd /c 'echo %LocalAppData%' 2>/dev/null | tr -d '\r')"
inet_cookies="$(wine_unix_path "$local_app_data\\Microsoft\\Windows\\INetCookies")"
scratch="$(mktemp -d)"
keys=('HKLM\Software\VeltraneWow64Test' 'HKLM\Software\VeltraneWow64Test -- data -- Name'
      'HKLM\Software\VeltraneWow64Both' 'HKLM\Software\VeltraneWow64Both -- data -- Name'
      'HKCR\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701}'
      'HKCR\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701} -- object -- Marker')

cleanup() {
  keep_outputs
  rm -rf "$root" "$scratch" "$x86/VeltraneWow64Test" "$x64/VeltraneWow64Test" "$x86/Common Files/VeltraneWow64Test"
  rm -f "$syswow64/veltrane-wow64-test.dll" "$inet_cookies"/*veltrane-wow64-cookie* "$inet_cookies"/Low/*veltrane-wow64-cookie*
  local key view
  for key in "${keys[@]}"; do
    for view in 32 64; do wine reg delete "$key" /reg:$view /f >/dev/null 2>&1; done
  done
  wine reg delete 'HKCU\Software\Veltrane' /f >/dev/null 2>&1
}
trap cleanup EXIT
cleanup
scratch="$(mktemp -d)"

has() { grep -qiF -- "$2" "$1"; }

run() { run_in "$root/program" "$root_win\\program\\veltrane.exe" "$@"; }

plant_registry() {  # plant_registry KEY VALUE-NAME DATA VIEW...: the key, its value and the record key
  local key="$1" name="$2" data="$3" view
  shift 3
  for view in "$@"; do
    wine reg add "$key" /v "$name" /d "$data" /reg:"$view" /f >/dev/null 2>&1
    wine reg add "$key -- $data -- $name" /reg:"$view" /f >/dev/null 2>&1
  done
}

mkdir -p "$root/program" "$root/bundled"
cp "$veltrane_exe" "$root/program/veltrane.exe"
cp "$veltrane_exe" "$root/bundled/veltrane.exe"
cp "$bundled"/{Spylist,RegistrySpylist,spyExtList,SpywareCookies} "$root/bundled/"
plain spyList.txt '"Wow64 Test File","programfilesdir+\VeltraneWow64Test\tracker.exe"' \
  '"Wow64 Test System File","systemroot+\system32\veltrane-wow64-test.dll"' \
  '"Wow64 Test Folder","programfilesdir+\Common Files\VeltraneWow64Test"'
plain RegistrySpyList.txt '"Wow64 Test Key","HKEY_LOCAL_MACHINE\Software\VeltraneWow64Test -- data -- Name"' \
  '"Wow64 Test Both","HKEY_LOCAL_MACHINE\Software\VeltraneWow64Both -- data -- Name"' \
  '"Wow64 Test Object","HKEY_CLASSES_ROOT\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701} -- object -- Marker"'
plain spyExtList.txt '"exe","dll","log","lnk"'
plain SpywareCookies.txt '"Wow64 Test Cookie","veltrane-wow64-cookie"'
encode_definitions "$root/program"
wine reg add 'HKCU\Software\Veltrane\Options' /v SaveLogFile /d 0 /f >/dev/null 2>&1

echo "== a clean 64-bit prefix without the profile's cookie folder"
user_profile="$(wine cmd /c 'echo %UserProfile%' 2>/dev/null | tr -d '\r')"
check "the profile has no Cookies folder" test ! -e "$(wine_unix_path "$user_profile\\Cookies")"
run scan
check "a clean scan exits 0 (it was $rc)" test "$rc" -eq 0
check "a clean scan shows no message: $(cat "$scratch/err")" test ! -s "$scratch/err"
run_in "$root/bundled" "$root_win\\bundled\\veltrane.exe" scan
check "the bundled definitions on a clean prefix exit 0 (it was $rc)" test "$rc" -eq 0
check "the bundled definitions show no message: $(cat "$scratch/err")" test ! -s "$scratch/err"

echo "== 32-bit footprints: found under their own paths, backed up and removed"
plant_registry 'HKLM\Software\VeltraneWow64Test' Name data 32
plant_registry 'HKLM\Software\VeltraneWow64Both' Name data 32 64
plant_registry 'HKCR\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701}' Marker object 32
mkdir -p "$x86/VeltraneWow64Test" "$x64/VeltraneWow64Test" "$x86/Common Files/VeltraneWow64Test/sub" "$inet_cookies/Low"
echo "32-bit tracker" >"$x86/VeltraneWow64Test/tracker.exe"
echo "64-bit tracker" >"$x64/VeltraneWow64Test/tracker.exe"
echo "common" >"$x86/Common Files/VeltraneWow64Test/sub/part.dat"
echo "system" >"$syswow64/veltrane-wow64-test.dll"
echo "tracker" >"$inet_cookies/user@veltrane-wow64-cookie[1].txt"
echo "tracker" >"$inet_cookies/Low/user@veltrane-wow64-cookie[1].txt"
run scan --backup "$root_win\\tuesday.bwk" --remove
cp "$scratch/out" "$scratch/found.log"
check "a scan with findings exits 1 (it was $rc)" test "$rc" -eq 1
check "the 32-bit key is listed under Wow6432Node" \
  has "$scratch/found.log" 'HKEY_LOCAL_MACHINE\Software\Wow6432Node\VeltraneWow64Test -- data -- Name'
check "the key in both views gives the 64-bit row" \
  grep -qE 'Wow64 Test Both +HKEY_LOCAL_MACHINE\\Software\\VeltraneWow64Both -- data -- Name$' "$scratch/found.log"
check "the key in both views gives the 32-bit row" \
  has "$scratch/found.log" 'HKEY_LOCAL_MACHINE\Software\Wow6432Node\VeltraneWow64Both -- data -- Name'
check "the 32-bit class is listed under HKEY_CLASSES_ROOT\\Wow6432Node" \
  has "$scratch/found.log" 'HKEY_CLASSES_ROOT\Wow6432Node\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701} -- object -- Marker'
for listed in 'C:\Program Files\VeltraneWow64Test\tracker.exe' 'C:\Program Files (x86)\VeltraneWow64Test\tracker.exe' \
              'C:\Program Files (x86)\Common Files\VeltraneWow64Test' '\syswow64\veltrane-wow64-test.dll'; do
  check "$listed is listed" has "$scratch/found.log" "$listed"
done
check "no failure was reported: $(grep -v '^Veltrane: ' "$scratch/err")" test -z "$(grep -v '^Veltrane: ' "$scratch/err")"
check "the 32-bit value was deleted" no_reg_value 'HKLM\Software\VeltraneWow64Test' Name 32
check "the 32-bit value of the key in both views was deleted" no_reg_value 'HKLM\Software\VeltraneWow64Both' Name 32
check "the 64-bit value of the key in both views was deleted" no_reg_value 'HKLM\Software\VeltraneWow64Both' Name 64
check "the 32-bit class value was deleted" \
  no_reg_value 'HKCR\CLSID\{5E1A7A2E-0C5B-4C39-9D7B-7E57E57E5701}' Marker 32
for gone in "$x86/VeltraneWow64Test/tracker.exe" "$x64/VeltraneWow64Test/tracker.exe" \
            "$x86/Common Files/VeltraneWow64Test" "$syswow64/veltrane-wow64-test.dll"; do
  check "$gone was removed" test ! -e "$gone"
done
check "the shell folders' cookies were removed" \
  test -z "$(find "$inet_cookies" -name '*veltrane-wow64-cookie*')"

echo "== restore puts the 32-bit footprints back in their own places"
run restore "$root_win\\tuesday.bwk"
check "restore exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "the 32-bit value is back" test "$(reg_value 'HKLM\Software\VeltraneWow64Test' Name 32)" = data
check "the 32-bit value did not go to the 64-bit view" no_reg_value 'HKLM\Software\VeltraneWow64Test' Name 64
check "the 32-bit file is back" test -f "$x86/VeltraneWow64Test/tracker.exe"
check "the SysWOW64 file is back" grep -qF "system" "$syswow64/veltrane-wow64-test.dll"

echo "== the ignore list takes the 32-bit paths"
run scan --exclude
check "the scan before the exclusion finds the restored footprints (it was $rc)" test "$rc" -eq 1
run scan
check "after the exclusion the scan exits 0 (it was $rc)" test "$rc" -eq 0
check "the excluded 32-bit key is shown as ignored" grep -qE \
  '^Ignored +Wow64 Test Key +HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\VeltraneWow64Test -- data -- Name$' "$scratch/out"

echo "$passed checks passed"
exit $failed
