#!/usr/bin/env bash
# Browsers' cookie stores under Wine, end to end: Firefox- and Chrome-shaped stores with the browsers' own
# table layouts in several profiles, tracking and ordinary cookies; the scan finds the tracking ones, the
# removal deletes exactly those and keeps the stores sound, the restore brings them back, and a store
# held by a running "browser" is read by the scan while its removal is refused with a message and exit 2.
# Usage: cookie_stores.sh veltrane.exe veltrane-store-holder.exe veltrane-codec
# Exit 77 (skipped) when the Windows build is absent. Runs in a prefix of its own, build/wine-cookie-prefix.
set -u
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

veltrane_exe="${1:-$repo/build/windows/program/veltrane.exe}"
holder_exe="${2:-$repo/build/windows/tests/win32/veltrane-store-holder.exe}"
codec="${3:-$repo/build/native/tools/codec/veltrane-codec}"
need "$veltrane_exe" "$holder_exe" "$codec"

wine_prefix "${VELTRANE_WINE_COOKIE_PREFIX:-$repo/build/wine-cookie-prefix}" || exit 1
program="$WINEPREFIX/drive_c/VeltraneCookieTest"
program_win='C:\VeltraneCookieTest'
win_var() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
appdata="$(wine_unix_path "$(win_var APPDATA)")"
localappdata="$(wine_unix_path "$(win_var LOCALAPPDATA)")"
cookies="$(wine_unix_path "$(win_var UserProfile)\\Cookies")"
firefox="$appdata/Mozilla/Firefox"
fox1="$firefox/Profiles/abc.default-release/cookies.sqlite"
fox2="$WINEPREFIX/drive_c/FoxProfiles/second/cookies.sqlite"
chrome_data="$localappdata/Google/Chrome/User Data"
chrome1="$chrome_data/Default/Network/Cookies"
chrome2="$chrome_data/Profile 2/Cookies"
scratch="$(mktemp -d)"
holder_pid=""

cleanup() {
  [[ -n "$holder_pid" ]] && kill "$holder_pid" 2>/dev/null && wait "$holder_pid" 2>/dev/null
  rm -rf "$program" "$firefox" "$WINEPREFIX/drive_c/FoxProfiles" "$chrome_data" "$scratch"
}
trap cleanup EXIT

sql() { python3 -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); print("\n".join("|".join(map(str,r)) for r in c.execute(sys.argv[2])))' "$@"; }
run() { run_in "$program" "$program_win\\veltrane.exe" "$@"; }
decoded() { "$codec" decode "$1" "$scratch/plain" >/dev/null && tr -d '\r' <"$scratch/plain"; }

make_firefox() {
  mkdir -p "$(dirname "$1")"
  python3 - "$1" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("PRAGMA journal_mode=WAL")
c.execute("""CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '',
  name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER,
  isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0,
  rawSameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0,
  CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes))""")
rows = [("uid", "t1", ".tracker.com"), ("sid", "t2", ".tracker.com"), ("x", "t3", "ads.tracker.net"),
        ("pref", "n1", ".news.org"), ("cart", "n2", "shop.example"), ("caps", "n3", "TRACKER.io")]
c.executemany("INSERT INTO moz_cookies (name, value, host, path, expiry, isSecure) VALUES (?, ?, ?, '/', 1900000000, 1)", rows)
c.commit()
PY
}
make_chrome() {
  mkdir -p "$(dirname "$1")"
  python3 - "$1" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR)")
c.execute("""CREATE TABLE cookies(creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL,
  top_frame_site_key TEXT NOT NULL, name TEXT NOT NULL, value TEXT NOT NULL, encrypted_value BLOB NOT NULL,
  path TEXT NOT NULL, expires_utc INTEGER NOT NULL, is_secure INTEGER NOT NULL, is_httponly INTEGER NOT NULL,
  last_access_utc INTEGER NOT NULL, has_expires INTEGER NOT NULL, is_persistent INTEGER NOT NULL,
  priority INTEGER NOT NULL, samesite INTEGER NOT NULL, source_scheme INTEGER NOT NULL,
  source_port INTEGER NOT NULL, last_update_utc INTEGER NOT NULL, source_type INTEGER NOT NULL,
  has_cross_site_ancestor INTEGER NOT NULL)""")
c.execute("""CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key,
  has_cross_site_ancestor, name, path, source_scheme, source_port)""")
rows = [(".tracker.com", "ct", b"\x01\x02secret"), ("news.org", "n", b"\x03")]
for i, (host, name, blob) in enumerate(rows):
    c.execute("INSERT INTO cookies VALUES (?, ?, '', ?, '', ?, '/', 1, 1, 0, 1, 1, 1, 1, 0, 2, 443, 1, 0, 0)",
              (13300000000000000 + i, host, name, blob))
c.commit()
PY
}
tracking_count() { sql "$1" "SELECT count(*) FROM $2 WHERE $3 LIKE '%tracker%' AND $3 <> 'TRACKER.io'"; }

mkdir -p "$program" "$cookies" "$firefox"
cp "$veltrane_exe" "$program/veltrane.exe"
cp "$holder_exe" "$program/veltrane-store-holder.exe"
plain spyList.txt '"Test","C:\VeltraneCookieTest\absent.txt"'
plain RegistrySpyList.txt '"Test Key","HKEY_CURRENT_USER\Software\VeltraneCookieTestAbsent"'
plain spyExtList.txt '"exe","dll","log","lnk"'
plain SpywareCookies.txt '"Tracker","tracker"'
encode_definitions "$program"
printf '[Install4F96D1932A9F858E]\r\nDefault=Profiles/abc.default-release\r\n\r\n[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/abc.default-release\r\n\r\n[Profile1]\r\nName=second\r\nIsRelative=0\r\nPath=C:\\FoxProfiles\\second\r\n' >"$firefox/profiles.ini"
make_firefox "$fox1"
make_firefox "$fox2"
make_chrome "$chrome1"
make_chrome "$chrome2"

echo "== scan, back up and remove"
run scan --backup "$program_win\\stores.bwk" --remove
check "the scan with findings exits 1 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 1
decoded "$program/stores.bwk" >"$scratch/list"
for store in "$fox1" "$fox2"; do
  for host in .tracker.com ads.tracker.net; do
    check "the backup list names $host in $store" grep -qF "|$host:-Spyware Cookie" "$scratch/list"
  done
done
check "six store findings: two hosts in each Firefox store, one in each Chrome store" test "$(grep -c 'Spyware Cookie' "$scratch/list")" -eq 6
check "ordinary and capitalised hosts are not findings" test -z "$(grep -E 'news|shop|TRACKER' "$scratch/list")"
# Each store with its table, its host column and the number of ordinary cookies it holds.
for entry in "$fox1|moz_cookies|host|3" "$fox2|moz_cookies|host|3" "$chrome1|cookies|host_key|1" "$chrome2|cookies|host_key|1"; do
  IFS='|' read -r store table column ordinary <<<"$entry"
  check "$store: tracking cookies removed" test "$(tracking_count "$store" "$table" "$column")" -eq 0
  check "$store: ordinary cookies kept" test "$(sql "$store" "SELECT count(*) FROM $table")" -eq "$ordinary"
  check "$store: integrity kept" test "$(sql "$store" 'PRAGMA integrity_check')" = ok
done

echo "== restore"
run restore "$program_win\\stores.bwk"
check "restore exits 0 (it was $rc): $(cat "$scratch/err")" test "$rc" -eq 0
check "Firefox rows come back whole" test "$(sql "$fox1" "SELECT name, value, isSecure, expiry FROM moz_cookies WHERE host = '.tracker.com' ORDER BY name")" = "sid|t2|1|1900000000
uid|t1|1|1900000000"
check "Chrome rows come back whole" test "$(sql "$chrome2" "SELECT hex(encrypted_value), creation_utc FROM cookies WHERE host_key = '.tracker.com'")" = "0102736563726574|13300000000000000"
check "the second Firefox profile is restored" test "$(tracking_count "$fox2" moz_cookies host)" -eq 3
check "restored stores are sound" test "$(sql "$chrome1" 'PRAGMA integrity_check')" = ok

echo "== a store held by its browser"
(cd "$program" && wine "$program_win\\veltrane-store-holder.exe" "$(win_var APPDATA)\\Mozilla\\Firefox\\Profiles\\abc.default-release\\cookies.sqlite" 90 >"$scratch/holder" 2>&1) &
holder_pid=$!
for _ in $(seq 1 60); do grep -q held "$scratch/holder" 2>/dev/null && break; sleep 0.5; done
check "the holder holds the store" grep -q held "$scratch/holder"
run scan --backup "$program_win\\held.bwk" --remove
check "a refused removal exits 2 (it was $rc)" test "$rc" -eq 2
check "the held store is still read by the scan" grep -qF "abc.default-release\\cookies.sqlite|.tracker.com" <(decoded "$program/held.bwk")
check "the user is told to close Firefox: $(cat "$scratch/err")" grep -qF "Close Firefox and remove again" "$scratch/err"
kill "$holder_pid" 2>/dev/null
wait "$holder_pid" 2>/dev/null
holder_pid=""
wineserver -w 2>/dev/null
check "the held store kept its tracking cookies" test "$(tracking_count "$fox1" moz_cookies host)" -eq 3
check "the other stores were cleaned" test "$(tracking_count "$fox2" moz_cookies host)" -eq 0
check "the held store is sound" test "$(sql "$fox1" 'PRAGMA integrity_check')" = ok

echo "$passed checks passed"
exit $failed
