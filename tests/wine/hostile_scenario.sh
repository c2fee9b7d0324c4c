#!/usr/bin/env bash
# The console scanner on a hostile machine: traps planted in a Wine prefix around the findings, then scan,
# backup, remove and restore, and every file of drive C: outside the findings compared before and after.
#
# Traps: directory links (Unix symlinks, which Wine shows as reparse points) inside a found folder and as a
# found path, pointing at canary folders; files named like the temporaries of every file the program writes
# (X.new, X.new~1, XTemp, XTemp~1 beside the log, the report, the ignore list, the backup lists and the
# backup index); hidden, system and read-only findings; two backup lists named monday.bwk in two folders,
# made while a found file held different contents; an ignore list holding the encoding of empty text; a
# missing cookie definition list; a restore whose target folder has become a file.
#
# The outside comparison takes every file and link under drive_c (a link by its target, a file by its
# SHA-256) and leaves out only:
#   - the findings (C:\HostileTest\found\...), which the program is asked to remove and restore;
#   - the files the program is meant to write, each by its exact name: the log (--log), the report, the
#     backup lists, "ignorList", the index "Backup", their lock files "ignorList.lock" and "Backup.lock"
#     (created empty when missing, never written), the copies folders "monday (k)", "links (k)" in its
#     folder, and its automatic logs "Veltrane log*.txt";
#   - C:\windows and C:\users\*\AppData\Local\Temp, which Wine itself rewrites while programs start (its
#     registry files lie outside drive_c anyway);
# so a trap, a canary or any other file that changes is counted. The count must be 0.
# Usage: hostile_scenario.sh veltrane.exe veltrane-codec
# Exit 77 (skipped) when the Windows build is absent. Runs in a prefix of its own, build/wine-hostile-prefix.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
codec="${2:-$repo/build/native/tools/codec/veltrane-codec}"
need "$veltrane_exe" "$codec"
started=$SECONDS

wine_prefix "${VELTRANE_WINE_HOSTILE_PREFIX:-$repo/build/wine-hostile-prefix}" || exit 1
drive_c="$WINEPREFIX/drive_c"
root_win='C:\HostileTest'
root="$drive_c/HostileTest"
program="$root/program"
found="$root/found"
scratch="$(mktemp -d)"

cleanup() {
  keep_outputs
  chmod -R u+w "$root" "$drive_c/bk1" "$drive_c/bk2" "$drive_c/bk3" 2>/dev/null
  rm -rf "$root" "$drive_c/bk1" "$drive_c/bk2" "$drive_c/bk3" "$scratch"
  wine reg delete 'HKCU\Software\Veltrane' /f >/dev/null 2>&1
}
trap cleanup EXIT
cleanup
scratch="$(mktemp -d)"

traps=0
has() { grep -qiF -- "$2" "$1"; }
lacks() { ! grep -qiF -- "$2" "$1"; }
trap_planted() {  # trap_planted "what": counts and prints a trap
  traps=$((traps + 1))
  echo "trap $traps: $1"
}

run() { run_in "$program" "$root_win\\program\\veltrane.exe" "$@"; }

# Prints "path<TAB>sha256 or link:target" for every file and link under drive_c outside the exclusions.
snapshot() {
  python3 - "$drive_c" <<'EOF'
import fnmatch, hashlib, os, sys
top = sys.argv[1]
skip_dirs = ["windows", "users/*/AppData/Local/Temp", "HostileTest/found",
             "HostileTest/program/monday (*)", "HostileTest/program/links (*)"]
skip_files = ["HostileTest/program/Veltrane log*.txt", "HostileTest/program/ignorList",
              "HostileTest/program/Backup", "HostileTest/program/Backup.lock",
              "HostileTest/program/ignorList.lock", "HostileTest/out/report.json", "HostileTest/out/scan.log",
              "bk1/monday.bwk", "bk2/monday.bwk", "bk3/links.bwk"]
def skipped(rel, patterns):
    return any(fnmatch.fnmatchcase(rel.lower(), p.lower()) for p in patterns)
for here, dirs, files in os.walk(top):
    keep = []
    for d in dirs:
        rel = os.path.relpath(os.path.join(here, d), top)
        if skipped(rel, skip_dirs):
            continue
        if os.path.islink(os.path.join(here, d)):
            files.append(d)
        else:
            keep.append(d)
    dirs[:] = keep
    for f in files:
        path = os.path.join(here, f)
        rel = os.path.relpath(path, top)
        if skipped(rel, skip_files):
            continue
        if os.path.islink(path):
            print(f"{rel}\tlink:{os.readlink(path)}")
        else:
            with open(path, "rb") as stream:
                print(f"{rel}\t{hashlib.sha256(stream.read()).hexdigest()}")
EOF
}

# The number of outside files that changed, appeared or disappeared since the first snapshot; lists them.
outside_changes() {
  snapshot | sort >"$scratch/after.sums"
  diff "$scratch/before.sums" "$scratch/after.sums" | grep '^[<>]' | cut -f1 | sort -u >"$scratch/changed"
  sed 's/^/  changed outside the findings: /' "$scratch/changed"
  wc -l <"$scratch/changed"
}

# The test definitions name only the test's own paths.
mkdir -p "$program" "$found" "$root/out" "$drive_c/bk1" "$drive_c/bk2" "$drive_c/bk3"
cp "$veltrane_exe" "$program/veltrane.exe"
plain spyList.txt '"Hostile Folder","C:\HostileTest\found\kit"' \
  '"Hostile Data","C:\HostileTest\found\data.txt"' \
  '"Hostile Hidden","C:\HostileTest\found\hidden.dll"' \
  '"Hostile System","C:\HostileTest\found\system.dll"' \
  '"Hostile Read-only","C:\HostileTest\found\readonly.exe"' \
  '"Hostile Nested","C:\HostileTest\found\sub\item.dat"' \
  '"Hostile Link","C:\HostileTest\found\link"'
plain RegistrySpyList.txt '"Hostile Absent Key","HKEY_CURRENT_USER\Software\VeltraneHostileAbsent"'
plain spyExtList.txt '"exe","dll","log","lnk"'
plain SpywareCookies.txt '"Hostile Cookie","veltrane-hostile-cookie"'
encode_definitions "$program"
wine reg add 'HKCU\Software\Veltrane\Options' /v SaveLogFile /d 1 /f >/dev/null 2>&1

plant_findings() {  # plant_findings CONTENT: the findings, the data file holding CONTENT
  mkdir -p "$found/kit/inner" "$found/sub"
  echo "kit part" >"$found/kit/inner/part.dat"
  echo "kit top" >"$found/kit/top.exe"
  printf '%s' "$1" >"$found/data.txt"
  echo "hidden" >"$found/hidden.dll"
  echo "system" >"$found/system.dll"
  echo "read-only" >"$found/readonly.exe"
  echo "nested" >"$found/sub/item.dat"
  local flag  # Wine's attrib takes one attribute per call.
  for flag in '+h hidden.dll' '+s system.dll' '+h system.dll' '+r readonly.exe'; do
    wine attrib "${flag% *}" "$root_win\\found\\${flag#* }" >/dev/null 2>&1
  done
}

# Canaries: folders that links will point at. Nothing in them may change.
mkdir -p "$root/canary/deep" "$root/canary2"
echo "canary" >"$root/canary/keep.txt"
echo "deep canary" >"$root/canary/deep/keep.bin"
echo "second canary" >"$root/canary2/keep.txt"

echo "== traps"
for name in '.new' '.new~1' '.new~2' 'Temp' 'Temp~1'; do
  for file in "$program/ignorList" "$program/Backup" "$root/out/report.json" "$root/out/scan.log"; do
    [[ $name == Temp* && $file == "$root/out/"* ]] || echo "user's $name" >"$file$name"
  done
  for list in bk1/monday bk2/monday bk3/links; do  # monday.bwk.new~1, mondayTemp~1.bwk
    case $name in .new*) file="$list.bwk$name" ;; *) file="$list$name.bwk" ;; esac
    echo "user's $name" >"$drive_c/$file"
  done
done
# The plain copies that loading a definition list or restoring a backup list decodes into.
for name in '' '~1'; do
  for list in Spylist RegistrySpylist spyExtList SpywareCookies; do
    echo "user's Temp$name" >"$program/${list}Temp$name"
  done
  echo "user's Temp$name" >"$drive_c/bk1/mondayTemp$name"
  echo "user's Temp$name" >"$drive_c/bk2/mondayTemp$name"
done
trap_planted "files named like temporaries beside the log, the report, the ignore list, the backup lists, the index and the definition lists"
plant_findings "version A"
wine attrib "$root_win\\found\\*" 2>/dev/null | tr -d '\r' >"$scratch/attributes"
check "the hidden file is hidden" grep -qE '^[^C]*H[^C]*C:.*hidden\.dll$' "$scratch/attributes"
check "the system file is system and hidden" grep -qE '^[^C]*S[^C]*H[^C]*C:.*system\.dll$' "$scratch/attributes"
check "the read-only file is read-only" grep -qE '^[^C]*R[^C]*C:.*readonly\.exe$' "$scratch/attributes"
trap_planted "hidden, system and read-only findings"
printf '\xff\x0f\x00' >"$program/ignorList"
trap_planted "an ignore list holding the encoding of empty text"
snapshot | sort >"$scratch/before.sums"
echo "$(wc -l <"$scratch/before.sums") outside files taken"

echo "== a missing cookie definition list"
mv "$program/SpywareCookies" "$scratch/SpywareCookies"
trap_planted "a missing definition list (SpywareCookies)"
run scan
check "a scan without SpywareCookies exits 2 (it was $rc)" test "$rc" -eq 2
check "the message names SpywareCookies: $(cat "$scratch/err")" has "$scratch/err" SpywareCookies
mv "$scratch/SpywareCookies" "$program/SpywareCookies"

echo "== the empty ignore list, and a backup made while the data file held version A"
run scan --backup 'C:\bk1\monday.bwk' --log "$root_win\\out\\scan.log"
check "the scan with findings exits 1 (it was $rc)" test "$rc" -eq 1
check "the empty ignore list gives no error: $(cat "$scratch/err")" lacks "$scratch/err" "Fatal error reading counts"
check "the backup is reported made" has "$scratch/err" "The backup has been created successfully."
for finding in 'found\hidden.dll' 'found\system.dll' 'found\readonly.exe'; do
  check "the scan lists $finding" has "$scratch/out" "$root_win\\$finding"
done
check "the log file was saved" test -s "$root/out/scan.log"

echo "== version B, backed up under the same name in another folder, and everything removed"
chmod u+w "$found/data.txt"
printf '%s' "version B" >"$found/data.txt"
trap_planted "two backup lists named monday.bwk in two folders"
run scan --backup 'C:\bk2\monday.bwk' --remove --report "$root_win\\out\\report.json" --log "$root_win\\out\\scan.log"
check "the scan, backup and removal exits 1 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 1
check "the removal is reported done" has "$scratch/err" "Cleaning finished"
check "the report was written" test -s "$root/out/report.json"
for finding in kit data.txt hidden.dll system.dll readonly.exe sub/item.dat; do
  check "$finding was removed" test ! -e "$found/$finding"
done

echo "== a restore whose target folder has become a file"
rm -rf "$found/sub"
echo "now a file" >"$found/sub"
sub_sum="$(sha256sum <"$found/sub")"
trap_planted "a restore target folder that has become a file"
run restore 'C:\bk2\monday.bwk'
check "the restore with one blocked item exits 2 (it was $rc)" test "$rc" -eq 2
check "the failure names the blocked item: $(cat "$scratch/err")" has "$scratch/err" 'sub\item.dat'
check "no success is claimed" lacks "$scratch/err" "Backup has been successfully restored"
check "the file standing in the folder's place is untouched" test "$(sha256sum <"$found/sub")" = "$sub_sum"
check "the other items were restored: version B" test "$(cat "$found/data.txt" 2>/dev/null)" = "version B"
check "the folder was restored" test -f "$found/kit/inner/part.dat"
check "the hidden file was restored" test -f "$found/hidden.dll"

echo "== the first list of the same name brings back its own content"
chmod -R u+w "$found"
rm -rf "${found:?}"/*
mkdir "$found/sub"
run restore 'C:\bk1\monday.bwk'
check "restore exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "the first list brings back version A" test "$(cat "$found/data.txt" 2>/dev/null)" = "version A"
check "the nested item was restored" test -f "$found/sub/item.dat"

echo "== links to canaries inside a found folder and as a found path"
ln -s ../../canary "$found/kit/link"
ln -s ../canary2 "$found/link"
trap_planted "a directory link inside a found folder, to a canary folder"
trap_planted "a found path that is a directory link, to a canary folder"
run scan --backup 'C:\bk3\links.bwk' --remove
check "a removal that leaves links in place exits 2 (it was $rc)" test "$rc" -eq 2
check "no success is claimed" lacks "$scratch/err" "Cleaning finished"
check "the failure names a link: $(cat "$scratch/err")" grep -qiE 'found\\(kit\\)?link' "$scratch/err"
check "nothing behind a link was copied" \
  test -z "$(find "$program" -path "$program/links (*)" \( -name keep.txt -o -name keep.bin \))"

echo "== the ignore list written beside its temporary names"
run scan --exclude
check "the exclusion exits 1 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 1
run scan
check "after the exclusion the scan exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "both remaining findings are counted as ignored" has "$scratch/out" "Components ignored:2"

echo "== outside the findings"
changed="$(outside_changes)"
echo "$changed" | sed '$d'
changed="$(echo "$changed" | tail -n 1)"
check "no file outside the findings changed ($changed did)" test "$changed" -eq 0

echo "$passed checks passed"
echo "hostile: $traps traps, $changed outside files changed ($((SECONDS - started)) s)"
exit $failed
