#!/usr/bin/env bash
# Every name Windows allows, end to end under Wine: found folders and files named in CJK, Cyrillic, accented
# Latin and an emoji outside the BMP, reserved device names, trailing dots and spaces, and a tree deeper than
# 600 characters, named by UTF-8 definitions; each is found, backed up, removed and restored byte for byte.
# Registry keys with Unicode names are found, removed and restored. A second prefix whose user profile has
# a non-ASCII name (Wine names it after $USER) has its cookie folder and a browser's store scanned.
# Usage: unicode_scenario.sh veltrane.exe veltrane-codec
# Exit 77 (skipped) when the Windows build is absent. Runs in prefixes of its own.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
codec="${2:-$repo/build/native/tools/codec/veltrane-codec}"
need "$veltrane_exe" "$codec"
# Wine takes Unix file names and arguments in the locale's encoding.
export LC_ALL=C.UTF-8 LANG=C.UTF-8

wine_prefix "${VELTRANE_WINE_UNICODE_PREFIX:-$repo/build/wine-unicode-prefix}" || exit 1
root="$WINEPREFIX/drive_c/UnicodeTest"
root_win='C:\UnicodeTest'
program="$root/program"
found="$root/found"
# A registry definition "KEY -- data -- name" is found by a key of that whole name; its removal deletes
# the value "name" of KEY, which restore writes back with its data.
parent='HKCU\Software\VeltraneUnicode'
value='Ключ_键_😀'
scratch="$(mktemp -d)"
cleanup() {
  keep_outputs
  rm -rf "$root" "$scratch"
  wine reg delete 'HKCU\Software\VeltraneUnicode' /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\VeltraneUnicode -- Daten_数据 -- Ключ_键_😀' /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Veltrane' /f >/dev/null 2>&1
}
trap cleanup EXIT
cleanup
scratch="$(mktemp -d)"
# has_value KEY NAME: whether the key holds a value of that name, read from an export (UTF-16, so that no
# console code page stands between the name and the check).
has_value() {
  rm -f "$root/export.reg"
  wine reg export "$1" 'C:\UnicodeTest\export.reg' /y >/dev/null 2>&1
  python3 -c 'import sys; t=open(sys.argv[1],encoding="utf-16").read(); sys.exit(("\"%s\"=" % sys.argv[2]) not in t)' \
    "$root/export.reg" "$2" 2>/dev/null
}
lacks_value() { ! has_value "$@"; }
run() { run_in "$program" "$root_win\\program\\veltrane.exe" "$@"; }
has() { grep -qF -- "$2" "$1"; }
# Every file under the findings by its relative name with its SHA-256, folders by their name alone; names
# in lower case, since restore writes a file back under the spelling its definition gives.
tree_sums() {
  python3 - "$found" <<'PY'
import hashlib, os, sys
top = sys.argv[1]
for here, dirs, files in sorted(os.walk(top)):
    for d in sorted(dirs):
        print(os.path.relpath(os.path.join(here, d), top).lower() + "/")
    for f in sorted(files):
        with open(os.path.join(here, f), "rb") as stream:
            print(os.path.relpath(os.path.join(here, f), top).lower() + "\t" + hashlib.sha256(stream.read()).hexdigest())
PY
}

mkdir -p "$program" "$found/文件夹/子目录" "$root/bk"
cp "$veltrane_exe" "$program/veltrane.exe"
folder="$found/文件夹"
for name in 文件.txt 子目录/наш.dll plain.txt café.txt 😀.txt nul aux.txt CON com1.dll dots... 'space '; do
  printf 'content of %s\n' "$name" >"$folder/$name"
done
printf 'emoji\x00\xff' >"$found/😀 emoji.dat"
printf 'device name' >"$found/nul"
printf 'dots' >"$found/trail..."
printf 'Ω' >"$found/Ωmega.exe"
deep="$found/deep"
while ((${#deep} - ${#found} < 620)); do deep="$deep/$(printf 'd%.0s' {1..40})é"; done
mkdir -p "$deep"
printf 'deep' >"$deep/nul"
printf 'deep file' >"$deep/файл.txt"
check "the deep tree is longer than 600 characters" test "$(( ${#deep} - ${#found} ))" -gt 600
wine reg add "$parent -- Daten_数据 -- $value" /f >/dev/null 2>&1
wine reg add "$parent" /v "$value" /d 'Daten_数据' /f >/dev/null 2>&1
check "the Unicode key and value were planted" has_value "$parent" "$value"

plain spyList.txt '"Unicode Folder","C:\UnicodeTest\found\文件夹"' \
  '"Emoji File","C:\UnicodeTest\found\😀 emoji.dat"' \
  '"Device Name","C:\UnicodeTest\found\nul"' \
  '"Trailing Dots","C:\UnicodeTest\found\trail..."' \
  '"Greek File","C:\UnicodeTest\found\ΩMEGA.exe"' \
  '"Deep Tree","C:\UnicodeTest\found\deep"'
plain RegistrySpyList.txt '"Unicode Key","HKEY_CURRENT_USER\Software\VeltraneUnicode -- Daten_数据 -- Ключ_键_😀"'
plain spyExtList.txt '"exe","dll","log","lnk"'
plain SpywareCookies.txt '"Unicode Cookie","veltrane-unicode-cookie"'
encode_definitions "$program"
tree_sums >"$scratch/before"

echo "== found, backed up and removed"
run scan --backup "$root_win\\bk\\유니코드.bwk" --remove --report "$root_win\\bk\\report.json"
check "the scan, backup and removal exits 1 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 1
check "the removal is reported done" has "$scratch/err" "Cleaning finished"
for finding in '文件夹' '😀 emoji.dat' 'found\nul' 'trail...' 'ΩMEGA.exe' 'found\deep' 'Ключ_键_😀'; do
  check "the log names $finding" has "$scratch/out" "$finding"
done
check "the report is UTF-8 JSON naming the folder" python3 -c 'import json,sys; t=json.load(open(sys.argv[1],encoding="utf-8")); sys.exit(not any("文件夹" in f["path"] for f in t["findings"]))' "$root/bk/report.json"
check "the backup list was written" test -s "$root/bk/유니코드.bwk"
check "every finding was removed" test -z "$(ls -A "$found")"
check "the Unicode value was removed" lacks_value "$parent" "$value"

echo "== restored byte for byte"
run restore "$root_win\\bk\\유니코드.bwk"
check "restore exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
tree_sums >"$scratch/after"
check "every file and folder came back byte for byte: $(diff "$scratch/before" "$scratch/after" | head -5)" \
  cmp -s "$scratch/before" "$scratch/after"
check "the Unicode value came back" has_value "$parent" "$value"

echo "== a user profile with a non-ASCII name"
USER=用户 wine_prefix "${VELTRANE_WINE_UNICODE_USER_PREFIX:-$repo/build/wine-unicode-user-prefix}" || exit 1
profile="$WINEPREFIX/drive_c/users/用户"
check "the profile is named after the user" test -d "$profile"
user_root="$WINEPREFIX/drive_c/UnicodeTest"
firefox="$profile/AppData/Roaming/Mozilla/Firefox"
mkdir -p "$user_root/program" "$profile/Cookies" "$firefox/Profiles/ü.default"
cp "$program"/veltrane.exe "$program"/Spylist "$program"/RegistrySpylist "$program"/spyExtList \
  "$program"/SpywareCookies "$user_root/program/"
echo "veltrane-unicode-cookie" >"$profile/Cookies/用户@veltrane-unicode-cookie[1].txt"
printf '[Profile0]\r\nName=ü\r\nIsRelative=1\r\nPath=Profiles/ü.default\r\n' >"$firefox/profiles.ini"
python3 - "$firefox/Profiles/ü.default/cookies.sqlite" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, name TEXT, value TEXT, host TEXT, path TEXT)")
c.execute("INSERT INTO moz_cookies (name, value, host, path) VALUES ('uid', 't', '.veltrane-unicode-cookie.com', '/')")
c.commit()
PY
(cd "$user_root/program" && USER=用户 timeout 300 wine "$root_win\\program\\veltrane.exe" scan \
  --backup "$root_win\\program\\user.bwk") >"$scratch/out.raw" 2>"$scratch/err.raw"
rc=$?
tr -d '\r' <"$scratch/out.raw" >"$scratch/out"
check "the scan in the non-ASCII profile exits 1 (it was $rc): $(tr -d '\r' <"$scratch/err.raw")" test "$rc" -eq 1
"$codec" decode "$user_root/program/user.bwk" "$scratch/user.plain" >/dev/null 2>&1
check "the cookie in 用户's cookie folder is found" grep -qF "用户\\Cookies\\用户@veltrane-unicode-cookie[1].txt" "$scratch/user.plain"
check "the browser store under 用户's profile is found" \
  grep -qF "ü.default\\cookies.sqlite|.veltrane-unicode-cookie.com" "$scratch/user.plain"
rm -rf "$user_root" "$profile/Cookies/用户@veltrane-unicode-cookie[1].txt" "$firefox"

echo "$passed checks passed"
exit $failed
