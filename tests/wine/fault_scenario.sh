#!/usr/bin/env bash
# The console scanner when things go wrong under it: small and read-only volumes (tmpfs, mounted as root and
# mapped into the prefix), processes run at once, and processes killed at random points. It checks that
# no found file is ever lost: each one is either still in place or has a whole copy that a restore brings
# back byte for byte (compared by SHA-256).
#
#   - full disk: the program folder on a volume with little room left, while a folder of files, an 8 MB
#     file and small files are backed up and removed; and a backup list on a drive (F:) that is full;
#   - a backup list in a folder that does not exist;
#   - a read-only program folder: the log and the backup go to the per-user folder under %LOCALAPPDATA%;
#   - six backups at once into one index, and twenty scans at once, each with its automatic log;
#   - SIGKILL at random points of the backup, the removal and the restore of a folder of 2,000 files.
# Usage: fault_scenario.sh veltrane.exe veltrane-codec
# Exit 77 (skipped) when the Windows build is absent or when tmpfs cannot be mounted (it needs root).
# Runs in a prefix of its own, build/wine-fault-prefix.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
codec="${2:-$repo/build/native/tools/codec/veltrane-codec}"
need "$veltrane_exe" "$codec"
kill_points_wanted="${VELTRANE_FAULT_KILLS:-21}"
many_files="${VELTRANE_FAULT_FILES:-2000}"
started=$SECONDS

probe="$(mktemp -d)"
if ! mount -t tmpfs -o size=64k tmpfs "$probe" 2>/dev/null; then
  rmdir "$probe"
  echo "fault_scenario: mounting a tmpfs volume is not permitted here (it needs root); skipped" >&2
  exit 77
fi
umount "$probe"
rmdir "$probe"

wine_prefix "${VELTRANE_WINE_FAULT_PREFIX:-$repo/build/wine-fault-prefix}" || exit 1
drive_c="$WINEPREFIX/drive_c"
root_win='C:\FaultTest'
root="$drive_c/FaultTest"
volumes="$WINEPREFIX/fault-volumes"  # mount points outside drive_c, mapped by drive letter
drive_f="$WINEPREFIX/dosdevices/f:"
local_app_data_win="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')"
local_app_data="$(wine_unix_path "$local_app_data_win")"
scratch="$(mktemp -d)"
volumes_used=()

# Unmounts every volume under the test's folders, the deepest first (also those a killed run left).
unmount_all() {
  local point
  awk '{ print $2 }' /proc/mounts | grep -E "^($root|$volumes)(/|$)" | sort -r | while read -r point; do
    umount "$point" 2>/dev/null || umount -l "$point"
  done
}

cleanup() {
  keep_outputs
  timeout 30 wineserver -k 2>/dev/null  # a run still going when the test was stopped; the prefix is ours
  unmount_all
  rm -f "$drive_f"
  rm -rf "$root" "$volumes" "$scratch"
  # The per-user folder is the program's; only what this test made there goes.
  find "$local_app_data" -maxdepth 1 -iname 'Veltrane*' -exec rm -rf {} + 2>/dev/null
  wine reg delete 'HKCU\Software\Veltrane' /f >/dev/null 2>&1
  timeout 30 wineserver -k 2>/dev/null
}
trap cleanup EXIT
trap 'exit 143' TERM INT  # a test timeout still unmounts the volumes
cleanup
scratch="$(mktemp -d)"
mkdir -p "$root/lists" "$volumes"
wineserver -p  # one server for every run, rather than one started anew after each pause

section() { echo "== $1 (at $((SECONDS - started)) s)"; }
has() { grep -qiF -- "$2" "$1"; }
lacks() { ! grep -qiF -- "$2" "$1"; }
no_success() {  # no_success FILE: neither command claimed to be done
  lacks "$1" "Cleaning finished" && lacks "$1" "The backup has been created successfully." &&
    lacks "$1" "Backup has been successfully restored"
}

# mount_volume FOLDER SIZE: a tmpfs volume at FOLDER.
mount_volume() {
  mkdir -p "$1"
  mount -t tmpfs -o "size=$2,mode=0755" tmpfs "$1" || { echo "FAILED: mounting $1"; exit 1; }
}
# shrink_volume FOLDER FREE-KB: leaves FREE-KB of room beside what the volume holds now.
shrink_volume() {
  local used
  used="$(df -k --output=used "$1" | tail -n 1 | tr -d ' ')"
  mount -o "remount,size=$((used + $2))k" "$1" || { echo "FAILED: resizing $1"; exit 1; }
}
free_kb() { df -k --output=avail "$1" | tail -n 1 | tr -d ' '; }

# install_program FOLDER DEFINITION-LINES...: veltrane.exe and its spy list (plus fixed other lists) in FOLDER.
install_program() {
  local folder="$1"
  shift
  mkdir -p "$folder"
  cp "$veltrane_exe" "$folder/veltrane.exe"
  plain spyList.txt "$@"
  plain RegistrySpyList.txt '"Fault Absent Key","HKEY_CURRENT_USER\Software\VeltraneFaultAbsent"'
  plain spyExtList.txt '"exe","dll","log","lnk"'
  plain SpywareCookies.txt '"Fault Cookie","veltrane-fault-cookie"'
  encode_definitions "$folder"
}

# run_from FOLDER-WIN ARGS...: veltrane.exe of the program folder FOLDER-WIN (as run_in).
run_from() {
  local folder_win="$1"
  shift
  run_in "$(wine_unix_path "$folder_win")" "$folder_win\\veltrane.exe" "$@"
}

# start_from FOLDER-WIN NAME ARGS...: starts veltrane.exe in the background, its output in $scratch/NAME.out
# and .err; the Unix process that runs it is $!, since the wine launcher replaces itself by the program.
start_from() {
  local folder_win="$1" name="$2"
  shift 2
  (cd "$(wine_unix_path "$folder_win")" && exec wine "$folder_win\\veltrane.exe" "$@") \
    >"$scratch/$name.out" 2>"$scratch/$name.err" &
}

# manifest FOLDER NAME: the SHA-256 of every file under FOLDER, kept as $scratch/NAME.sums.
manifest() {
  (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r sha256sum) >"$scratch/$2.sums"
}
# compare FOLDER NAME: sets $absent and $damaged, the files of the manifest NAME missing under FOLDER and
# those there with other contents.
compare() {
  (cd "$1" 2>/dev/null && sha256sum -c --quiet "$scratch/$2.sums" 2>/dev/null) >"$scratch/compare"
  absent="$(grep -c ': FAILED open or read$' "$scratch/compare")"
  damaged="$(grep -c ': FAILED$' "$scratch/compare")"
}
# whole FOLDER NAME: after a restore, every file of the manifest is there with its contents; counts them.
files_checked=0
files_lost=0
whole() {
  compare "$1" "$2"
  files_checked=$((files_checked + $(wc -l <"$scratch/$2.sums")))
  files_lost=$((files_lost + absent + damaged))
  [[ $((absent + damaged)) -eq 0 ]] || { head -n 5 "$scratch/compare" | sed 's/^/  /'; return 1; }
}
no_damage() { compare "$1" "$2"; [[ $damaged -eq 0 ]]; }
count_files() { find "$1" -type f 2>/dev/null | wc -l; }
logs_in() { find "$1" -iname 'Veltrane log*.txt' 2>/dev/null | wc -l; }

wine reg add 'HKCU\Software\Veltrane\Options' /v SaveLogFile /d 1 /f >/dev/null 2>&1

section "full disk: the program folder on a small volume"
full="$root/full"
full_win="$root_win\\full"
found_full="$root/found/full"
mkdir -p "$found_full/kit"
for i in $(seq 1 40); do head -c 51200 /dev/urandom >"$found_full/kit/part$i.bin"; done
head -c 8388608 /dev/urandom >"$found_full/big.bin"
echo "small one" >"$found_full/small1.txt"
head -c 3000 /dev/urandom >"$found_full/small2.dat"
manifest "$found_full" full
mount_volume "$full" 64m
install_program "$full" '"Fault Kit","C:\FaultTest\found\full\kit"' \
  '"Fault Big","C:\FaultTest\found\full\big.bin"' \
  '"Fault Small One","C:\FaultTest\found\full\small1.txt"' \
  '"Fault Small Two","C:\FaultTest\found\full\small2.dat"'
shrink_volume "$full" 1536
volumes_used+=("$full_win: tmpfs, the program folder with $(free_kb "$full") KB free")
run_from "$full_win" scan --backup "$root_win\\lists\\full.bwk" --remove
check "a backup and removal on a full disk exits 2 (it was $rc)" test "$rc" -eq 2
check "no success is claimed: $(cat "$scratch/err")" no_success "$scratch/err"
check "the kept file is named: $(cat "$scratch/err")" has "$scratch/err" 'found\full\big.bin'
compare "$found_full" full
full_total="$(wc -l <"$scratch/full.sums")"
check "no found file was changed in place ($damaged were)" test "$damaged" -eq 0
echo "  $((full_total - absent)) of $full_total found files stayed in place, $absent were removed"
run_from "$full_win" restore "$root_win\\lists\\full.bwk"
check "the restore brings back every removed file byte for byte (exit $rc): $(cat "$scratch/err")" \
  whole "$found_full" full

# The other scenarios find these few files, from a program folder on drive C:.
program="$root/program"
program_win="$root_win\\program"
found_few="$root/found/few"
few_definitions=('"Fault Few Kit","C:\FaultTest\found\few\kit"' '"Fault Few A","C:\FaultTest\found\few\a.txt"'
                 '"Fault Few B","C:\FaultTest\found\few\b.dat"')
plant_few() {
  rm -rf "$found_few"
  mkdir -p "$found_few/kit/inner"
  for i in 1 2 3 4 5; do head -c $((i * 700)) /dev/urandom >"$found_few/kit/inner/p$i.bin"; done
  echo "kit top" >"$found_few/kit/top.exe"
  echo "a" >"$found_few/a.txt"
  head -c 5000 /dev/urandom >"$found_few/b.dat"
}
plant_few
manifest "$found_few" few
cp -a "$found_few" "$scratch/few.orig"
install_program "$program" "${few_definitions[@]}"
restore_few() { rm -rf "$found_few"; cp -a "$scratch/few.orig" "$found_few"; }

section "full disk: a backup list on a drive that is full (F:)"
mount_volume "$volumes/f" 256k
head -c 1048576 /dev/zero >"$volumes/f/filler" 2>/dev/null
ln -s "$volumes/f" "$drive_f"
volumes_used+=("F: tmpfs of 256 KB, full ($(free_kb "$volumes/f") KB free), for a backup list")
run_from "$program_win" scan --backup 'F:\full.bwk' --remove
check "a backup list on a full drive exits 2 (it was $rc)" test "$rc" -eq 2
check "no success is claimed: $(cat "$scratch/err")" no_success "$scratch/err"
compare "$found_few" few
check "nothing was removed when the list could not be written ($absent files were)" test "$absent" -eq 0
check "nothing was changed in place ($damaged files were)" test "$damaged" -eq 0
files_checked=$((files_checked + $(wc -l <"$scratch/few.sums")))
files_lost=$((files_lost + absent + damaged))
restore_few

section "a backup list in a folder that does not exist"
run_from "$program_win" scan --backup 'C:\nonexistent\x.bwk' --remove
check "a backup list in a missing folder exits 2 (it was $rc)" test "$rc" -eq 2
check "no success is claimed: $(cat "$scratch/err")" no_success "$scratch/err"
compare "$found_few" few
check "nothing was removed ($absent files were)" test "$absent" -eq 0
files_checked=$((files_checked + $(wc -l <"$scratch/few.sums")))
files_lost=$((files_lost + absent + damaged))
restore_few

section "a read-only program folder"
ro="$root/ro"
ro_win="$root_win\\ro"
mount_volume "$ro" 64m
install_program "$ro" "${few_definitions[@]}"
mount -o remount,ro "$ro" || { echo "FAILED: making $ro read-only"; exit 1; }
check "the program folder is read-only" bash -c "! touch '$ro/probe' 2>/dev/null"
volumes_used+=("$ro_win: tmpfs, read-only, the program folder")
touch "$scratch/stamp"
sleep 0.01
run_from "$ro_win" scan --backup "$root_win\\lists\\ro.bwk"
cat "$scratch/out" "$scratch/err" >"$scratch/ro.said"
check "a scan from a read-only program folder finds the markers, exit 1 (it was $rc): $(cat "$scratch/err")" \
  test "$rc" -eq 1
check "it names the folder it writes to, under $local_app_data_win" \
  grep -qiF -e "$local_app_data_win\\" -e '%LOCALAPPDATA%' "$scratch/ro.said"
written_since() { find "$local_app_data" -cnewer "$scratch/stamp" -type f "$@" 2>/dev/null | grep -c .; }
check "the automatic log is in the per-user folder" test "$(written_since -iname 'Veltrane log*.txt')" -ge 1
check "the backup copies are in the per-user folder" test "$(written_since -name b.dat)" -ge 1
check "the backup index is in the per-user folder" test "$(written_since -name Backup)" -ge 1
run_from "$ro_win" backups
check "the index lists the backup: $(cat "$scratch/out")" has "$scratch/out" "$root_win\\lists\\ro.bwk"
rm -rf "$found_few"
run_from "$ro_win" restore "$root_win\\lists\\ro.bwk"
check "its backup restores byte for byte (exit $rc): $(cat "$scratch/err")" whole "$found_few" few
restore_few

section "six backups at once"
logs_before="$(logs_in "$program")"
pids=()
for n in 1 2 3 4 5 6; do
  start_from "$program_win" "six$n" scan --backup "$root_win\\lists\\c$n.bwk"
  pids+=($!)
done
for n in 1 2 3 4 5 6; do
  wait "${pids[$((n - 1))]}"
  rc=$?
  check "backup c$n exits 1 (it was $rc): $(tr -d '\r' <"$scratch/six$n.err")" test "$rc" -eq 1
  check "backup c$n is reported made" has "$scratch/six$n.err" "The backup has been created successfully."
done
check "six scans at once left six automatic logs ($(($(logs_in "$program") - logs_before)))" \
  test "$(($(logs_in "$program") - logs_before))" -eq 6
run_from "$program_win" backups
for n in 1 2 3 4 5 6; do
  check "the index lists c$n.bwk" has "$scratch/out" "$root_win\\lists\\c$n.bwk"
done
# Each list names its own copies folder; while one is restored the others' folders are moved aside, so
# it can only restore from its own.
copies=()
for n in 1 2 3 4 5 6; do
  "$codec" decode "$root/lists/c$n.bwk" "$scratch/c$n.plain" >/dev/null 2>&1
  copies+=("$(tr -d '\r' <"$scratch/c$n.plain" 2>/dev/null | sed -n 's/^Backup copies:-\(.*\):-Backup copies$/\1/p' | head -n 1)")
done
check "the six lists name six copies folders: ${copies[*]}" \
  test "$(printf '%s\n' "${copies[@]}" | grep -c .)" -eq 6 -a "$(printf '%s\n' "${copies[@]}" | sort -u | grep -c .)" -eq 6
mkdir -p "$scratch/aside"
for n in 1 2 3 4 5 6; do
  for m in 1 2 3 4 5 6; do
    [[ $m -ne $n && -n "${copies[$((m - 1))]}" ]] && mv "$program/${copies[$((m - 1))]}" "$scratch/aside/" 2>/dev/null
  done
  rm -rf "$found_few"
  run_from "$program_win" restore "$root_win\\lists\\c$n.bwk"
  check "c$n restores its own copies byte for byte (exit $rc): $(cat "$scratch/err")" whole "$found_few" few
  mv "$scratch/aside/"* "$program/" 2>/dev/null
  restore_few
done

section "twenty scans at once"
logs_before="$(logs_in "$program")"
pids=()
for n in $(seq 1 20); do
  start_from "$program_win" "twenty$n" scan
  pids+=($!)
done
twenty_ok=0
for n in $(seq 1 20); do
  wait "${pids[$((n - 1))]}"
  [[ $? -eq 1 ]] && twenty_ok=$((twenty_ok + 1))
done
check "twenty scans at once each found the markers, exit 1 ($twenty_ok did)" test "$twenty_ok" -eq 20
check "twenty scans at once left twenty automatic logs ($(($(logs_in "$program") - logs_before)))" \
  test "$(($(logs_in "$program") - logs_before))" -eq 20

section "kills at random points: backup, removal and restore of $many_files files"
killer="$root/killer"
killer_win="$root_win\\killer"
many="$root/found/many"
mkdir -p "$many/tree"
python3 - "$many/tree" "$many_files" <<'PY'
import os, sys
top, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = os.path.join(top, "d%02d" % (i % 20))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "f%04d.dat" % i), "wb") as f:
        f.write(os.urandom(64 + (i * 37) % 1500))
PY
head -c 100000 /dev/urandom >"$many/one.bin"
echo "two" >"$many/two.txt"
manifest "$many" many
many_total="$(wc -l <"$scratch/many.sums")"
cp -a "$many" "$scratch/many.orig"
install_program "$killer" '"Fault Many","C:\FaultTest\found\many\tree"' \
  '"Fault One","C:\FaultTest\found\many\one.bin"' '"Fault Two","C:\FaultTest\found\many\two.txt"'

# The files in the copies folders made since the stamp.
new_copies() {
  find "$killer" -mindepth 1 -maxdepth 1 -type d -cnewer "$scratch/stamp" -print0 |
    xargs -0 -r -I{} find {} -type f | wc -l
}
# kill_when PID TEST...: polls every 50 ms; once TEST holds, waits 0 to 40 ms more and kills the process
# with SIGKILL. False when the process ended by itself first.
kill_when() {
  local pid="$1" status
  shift
  while kill -0 "$pid" 2>/dev/null; do
    if "$@"; then
      sleep "0.0$((RANDOM % 5))"
      kill -KILL "$pid" 2>/dev/null
      break
    fi
    sleep 0.05
  done
  wait "$pid" 2>/dev/null
  status=$?
  [[ $status -eq 137 ]]  # ended by SIGKILL, not by itself
}
copies_reached() { [[ $(new_copies) -ge $target ]]; }
removed_reached() { [[ $(count_files "$many") -le $((many_total - target)) ]]; }
# Restore writes over the files still in place too, so it is followed by the files it wrote.
restored_reached() { [[ $(find "$many" -type f -cnewer "$scratch/stamp" | wc -l) -ge $target ]]; }

kill_points=()
kills=0
# kill_point PHASE LIST-WIN COMMAND...: starts the command, kills it at a random point of PHASE (the
# number of copies made, files removed or files restored reaching a random count) and notes the point.
kill_point() {
  local phase="$1" list condition
  list="$(wine_unix_path "$2")"
  shift 2
  target=$((1 + RANDOM % (many_total - 1)))
  touch "$scratch/stamp"
  sleep 0.01
  case $phase in
    backup) condition=copies_reached ;;
    removal) condition=removed_reached ;;
    restore) condition=restored_reached ;;
  esac
  start_from "$killer_win" kill "$@"
  if kill_when $! "$condition"; then
    kills=$((kills + 1))
    case $phase in
      backup) seen="$(new_copies) copies made" ;;
      removal) seen="$((many_total - $(count_files "$many"))) of $many_total files removed" ;;
      restore) seen="$(find "$many" -type f -cnewer "$scratch/stamp" | wc -l) of $many_total files written back" ;;
    esac
    kill_points+=("$phase at $target: $seen, the list $([[ -e $list ]] && echo written || echo absent)")
    echo "  kill $kills: ${kill_points[-1]}"
  else
    echo "  $phase at $target: the process ended before the kill"
  fi
  compare "$many" many
  changed="$(grep ': FAILED$' "$scratch/compare" | head -n 3 | tr '\n' ' ')"
  if [[ $phase == restore ]]; then
    check "the killed restore left no half-written file in place ($damaged were: $changed)" test "$damaged" -eq 0
  else
    check "the killed $phase changed no found file ($damaged were: $changed)" test "$damaged" -eq 0
  fi
  run_from "$killer_win" backups
  check "after the kill the index loads (exit $rc): $(cat "$scratch/err")" test "$rc" -eq 0 -a ! -s "$scratch/err"
}
# verify LIST-WIN: every found file is in place, or the list restores it whole; then the next round starts
# from every file again.
verify() {
  [[ -e "$(wine_unix_path "$1")" ]] && run_from "$killer_win" restore "$1"
  check "after the kill every found file is in place or restored whole ($(cat "$scratch/err"))" whole "$many" many
  compare "$many" many
  if [[ $((absent + damaged)) -ne 0 ]]; then
    rm -rf "$many"
    cp -a "$scratch/many.orig" "$many"
  fi
}

# Each round: a kill during a backup; a kill during a removal, then during the restore of what that
# removal left. A scan at the end loads the definition lists and the ignore list again.
round=0
while [[ $kills -lt $kill_points_wanted && $round -lt $(((kill_points_wanted + 2) / 3 + 3)) ]]; do
  round=$((round + 1))
  kill_point backup "$root_win\\lists\\b$round.bwk" scan --backup "$root_win\\lists\\b$round.bwk" --remove
  verify "$root_win\\lists\\b$round.bwk"
  kill_point removal "$root_win\\lists\\r$round.bwk" scan --backup "$root_win\\lists\\r$round.bwk" --remove
  if [[ -e "$root/lists/r$round.bwk" ]]; then
    kill_point restore "$root_win\\lists\\r$round.bwk" restore "$root_win\\lists\\r$round.bwk"
  fi
  verify "$root_win\\lists\\r$round.bwk"
done
run_from "$killer_win" scan
check "after the kills the lists load: a scan exits 1 (it was $rc): $(cat "$scratch/err")" \
  test "$rc" -eq 1 -a ! -s "$scratch/err"
check "at least $kill_points_wanted kill points ($kills)" test "$kills" -ge "$kill_points_wanted"
for phase in backup removal restore; do
  check "kills during $phase" test "$(printf '%s\n' "${kill_points[@]}" | grep -c "^$phase")" -ge 1
done

check "no found file was lost ($files_lost of $files_checked)" test "$files_lost" -eq 0
echo "volumes used:"
printf '  %s\n' "${volumes_used[@]}"
echo "kill points (${#kill_points[@]}):"
printf '  %s\n' "${kill_points[@]}"
echo "processes run at once: 6 backups into one index, 20 scans"
echo "files checked: $files_checked, files lost: $files_lost ($((SECONDS - started)) s)"
echo "$passed checks passed"
exit "$failed"
