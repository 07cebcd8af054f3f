#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# quillane-cli plan against 20 simulated cameras on two links: a dry run changes nothing, the real
# run leaves every camera holding exactly its row, and a bad row and an absent camera are
# reported while the others go on. Exit 77 (skipped) outside an isolated namespace.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
camsim=$2
# shellcheck source=netlab.sh
source "$here/netlab.sh"
netlab_check_isolated || exit 77
# The password file is the user's alone, as it should be (others' reading draws a warning).
umask 077
work=$(mktemp -d)
# shellcheck source=checks.sh
source "$here/checks.sh"

# plan NAME EXPECTED_EXIT ARGS...: leaves out and err.
plan() {
    local what=$1 expected=$2 code=0
    shift 2
    ip netns exec "$pc" "$cli" plan "$@" --search-time 300 --timeout 1000 >"$work/out" 2>"$work/err" <"$work/secret" ||
        code=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
    [ "$code" -eq "$expected" ] || fail "$what: exit $code, expected $expected; stderr: $err"
    [[ "$out$err" != *Pa55* ]] || fail "$what: a password was printed"
}

# Every camera of both simulators, one line each, without the request counts.
cameras() {
    jq -r '.cameras[] | [.mac, .name, .ip, .mask, .gateway, .dns1, .dhcp, .passwordEnciphered] | @tsv' \
        "$work/a.json" "$work/b.json" | sort
}

netlab_init
netlab_link lanA
netlab_link lanB
netlab_pc_adapter lanA eth0 198.18.0.1/24
netlab_pc_adapter lanB eth1 198.18.1.1/24
pc=$(netlab_ns pc)
netlab_camera_host hosta lanA 198.19.1.1/24
netlab_camera_host hostb lanB 198.19.2.1/24
netlab_simulator hosta "$work/a.json" "$camsim" --camera "mac=02:00:00:00:a0:01,ip=198.19.1.10" --count 10
netlab_simulator hostb "$work/b.json" "$camsim" --camera "mac=02:00:00:00:b0:01,ip=198.19.2.10" --count 10
printf 'admin\n' >"$work/secret"

# Link A: static addresses (row 7 with a bad mask); link B: DHCP, names only, new passwords.
# expected holds what each camera must end with (mac name ip mask gateway dns1 dhcp enciphered).
{
    echo "mac,name,dhcp,ip,mask,gateway,dns1,new_password,password"
    for i in $(seq 1 10); do
        mac=$(printf '02:00:00:00:a0:%02x' "$i")
        if [ "$i" -eq 5 ]; then
            echo "$mac,Broken,,198.19.1.105,255.0.255.0,,,,"
        else
            echo "$mac,\"Door, A$i\",,198.19.1.$((100 + i)),255.255.255.0,198.19.1.254,198.18.0.53,,"
        fi
    done
    for i in $(seq 1 10); do
        mac=$(printf '02:00:00:00:b0:%02x' "$i")
        case $((i % 3)) in
            0) echo "$mac,Yard B$i,1,,,,,," ;;
            1) echo "$mac,Yard B$i,,,,,,Pa55-$i,admin" ;;
            2) echo "$mac,,dhcp,,,,,," ;;
        esac
    done
    echo "02:00:00:00:c0:01,Nowhere,1,,,,,,"
} >"$work/plan.csv"
{
    for i in $(seq 1 10); do
        mac=$(printf '02.00.00.00.a0.%02x' "$i")
        if [ "$i" -eq 5 ]; then
            printf '%s\tCamera-5\t198.19.1.14\t255.255.255.0\t0.0.0.0\t0.0.0.0\t0\tfalse\n' "$mac"
        else
            printf '%s\tDoor, A%d\t198.19.1.%d\t255.255.255.0\t198.19.1.254\t198.18.0.53\t0\tfalse\n' \
                "$mac" "$i" $((100 + i))
        fi
    done
    for i in $(seq 1 10); do
        mac=$(printf '02.00.00.00.b0.%02x' "$i")
        ip=198.19.2.$((9 + i))
        case $((i % 3)) in
            0) printf '%s\tYard B%d\t%s\t255.255.255.0\t0.0.0.0\t0.0.0.0\t1\tfalse\n' "$mac" "$i" "$ip" ;;
            1) printf '%s\tYard B%d\t%s\t255.255.255.0\t0.0.0.0\t0.0.0.0\t0\ttrue\n' "$mac" "$i" "$ip" ;;
            2) printf '%s\tCamera-%d\t%s\t255.255.255.0\t0.0.0.0\t0.0.0.0\t1\tfalse\n' "$mac" "$i" "$ip" ;;
        esac
    done
} | sort >"$work/expected"

before=$(cameras)
plan "dry run" 1 "$work/plan.csv" --dry-run --password-stdin
[ "$before" = "$(cameras)" ] || fail "dry run: a camera changed"
for state in a b; do
    requests=$(jq -c '.requests | keys' "$work/$state.json")
    [ "$requests" = '["161"]' ] || fail "dry run: simulator $state saw more than searches: $requests"
done
has "dry run" "$out" $'2\t02:00:00:00:a0:01\twould change\taddress 198.19.1.10 -> 198.19.1.101, gateway 0.0.0.0 -> 198.19.1.254, DNS 1 0.0.0.0 -> 198.18.0.53, name Camera-1 -> Door, A1'
has "dry run" "$out" $'6\t02:00:00:00:a0:05\trefused\tmask \'255.0.255.0\' is not valid'
has "dry run" "$out" $'13\t02:00:00:00:b0:02\twould change\tDHCP off -> on'
has "dry run" "$out" $'12\t02:00:00:00:b0:01\twould change\tname Camera-1 -> Yard B1, new password'
has "dry run" "$out" $'22\t02:00:00:00:c0:01\tnot found\tno camera 02:00:00:00:c0:01 answered the search'
[ "$(echo "$out" | wc -l)" -eq 22 ] || fail "dry run: expected a header and 21 rows: $out"

plan "apply" 1 "$work/plan.csv" --password-file "$work/secret" --json
diff "$work/expected" <(cameras) || fail "apply: the cameras do not hold exactly their rows"
confirmed=$(echo "$out" | jq '[.rows[] | select(.result == "confirmed")] | length')
[ "$confirmed" -eq 19 ] || fail "apply: $confirmed rows confirmed, expected 19: $out"
failed=$(echo "$out" | jq -c '[.rows[] | select(.result != "confirmed") | [.row, .result, .reason]]')
[ "$failed" = '[[6,"refused","mask '"'"'255.0.255.0'"'"' is not valid"],[22,"not found","no camera 02:00:00:00:c0:01 answered the search"]]' ] ||
    fail "apply: the failures reported are $failed"
ip netns exec "$pc" "$cli" login --mac 02:00:00:00:b0:04 --password Pa55-4 --search-time 300 >/dev/null ||
    fail "apply: the new password of b0:04 does not sign in"

plan "again: nothing left to change" 1 "$work/plan.csv" --dry-run
has "again" "$out" $'2\t02:00:00:00:a0:01\tno change\t'

echo "mac,colour" >"$work/bad.csv"
plan "unknown column" 2 "$work/bad.csv"
has "unknown column" "$err" "unknown column 'colour' in the first line"
plan "two password sources" 2 "$work/plan.csv" --password x --password-stdin


# Files that cannot be a plan are refused before any search.
searches=$(jq -c '.requests' "$work/a.json")
plan "endless file" 2 /dev/zero --dry-run
has "endless file" "$err" "plan: /dev/zero: not a regular file"
plan "folder" 2 "$work" --dry-run
has "folder" "$err" "not a regular file"
printf 'mac,name\n02:00:00:00:a0:01,Gate\n02:00:00:00:a0:02,"Door\n02:00:00:00:a0:03,Yard\n' >"$work/open-quote.csv"
plan "quote left open" 2 "$work/open-quote.csv" --dry-run
has "quote left open" "$err" "open-quote.csv: line 3: a quote is not closed"
[ "$searches" = "$(jq -c '.requests' "$work/a.json")" ] || fail "a refused plan file reached the cameras"
# What a spreadsheet saves as "CSV UTF-8": a byte-order mark, CRLF line ends.
printf '\xef\xbb\xbfmac,name\r\n02:00:00:00:a0:01,"Door, A1"\r\n' >"$work/spreadsheet.csv"
plan "byte-order mark" 0 "$work/spreadsheet.csv" --dry-run
has "byte-order mark" "$out" $'2\t02:00:00:00:a0:01\tno change\t'

# A row whose write is taken but whose answer is lost is confirmed by the search like the others.
netlab_camera_host hostc lanA 198.19.1.2/24
netlab_simulator hostc "$work/c.json" "$camsim" --camera "mac=02:00:00:00:c0:02,ip=198.19.1.50" --drop-answers 0xA2
printf 'mac,name\n02:00:00:00:c0:02,Lost answer\n' >"$work/lost.csv"
plan "answer lost" 0 "$work/lost.csv" --password-file "$work/secret" --json
has "answer lost" "$out" '"result": "confirmed"'
has "answer lost" "$out" '"answered": false, "verify": {"outcome": "confirmed"'
has "answer lost" "$(cat "$work/c.json")" '"name": "Lost answer"'

checks_finish "$work" "plan"
