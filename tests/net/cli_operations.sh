#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# quillane-cli camera commands in a throw-away network: what they print, their exit codes and
# error lines, and what reached the simulated cameras. Exit 77 (skipped) outside an isolated
# namespace.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
camsim=$2
# shellcheck source=netlab.sh
source "$here/netlab.sh"
netlab_check_isolated || exit 77
# Secret files readable by others draw a warning; only the case about that makes one.
umask 077
# A command on a terminal that ends early must not take the script with it.
trap '' PIPE
work=$(mktemp -d)
# shellcheck source=checks.sh
source "$here/checks.sh"

# run NAME EXPECTED_EXIT CLI-ARGS...: runs the command in the pc namespace; leaves out/err.
run() {
    local what=$1 expected=$2 code=0
    shift 2
    ip netns exec "$pc" "$cli" "$@" --search-time "${search_time:-300}" --timeout 300 <"${input:-/dev/null}" \
        >"$work/out" 2>"$work/err" || code=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
    if [ "$code" -ne "$expected" ]; then
        fail "$what: exit $code, expected $expected; stderr: $err"
    fi
    if [ "$expected" -eq 0 ] && [ -n "$err" ] && [ -z "${stderr_ok:-}" ]; then
        fail "$what: unexpected stderr: $err"
    fi
    if [ "$expected" -ne 0 ] && [ "$(wc -l <"$work/err")" -ne 1 ]; then
        fail "$what: expected one stderr line, got: $err"
    fi
}

# on_terminal COMMAND ANSWER...: runs the command on a terminal in the pc namespace and types
# each answer once its prompt shows ("^D" ends the input there). Leaves everything the terminal
# showed in $work/tty and the exit code in $tty_code.
on_terminal() {
    local command=$1 keys pid answer prompts=0
    shift
    rm -f "$work/keys" "$work/tty"
    mkfifo "$work/keys"
    ip netns exec "$pc" timeout 60 script -qec "$command" /dev/null <"$work/keys" >"$work/tty" 2>&1 &
    pid=$!
    exec {keys}>"$work/keys"
    for answer in "$@"; do
        prompts=$((prompts + 1))
        for _ in $(seq 200); do
            [ "$(grep -o "assword: " "$work/tty" | wc -l)" -ge "$prompts" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        # A command that ended before its prompt reads nothing more.
        kill -0 "$pid" 2>/dev/null || break
        if [ "$answer" = "^D" ]; then
            printf '\004' >&"$keys" || true
        else
            printf '%s\n' "$answer" >&"$keys" || true
        fi
    done
    tty_code=0
    wait "$pid" || tty_code=$?
    exec {keys}>&-
}

netlab_init
netlab_link lanA
netlab_pc_adapter lanA eth0 198.18.0.1/24
pc=$(netlab_ns pc)
netlab_camera_host cam lanA 198.19.4.1/24
netlab_simulator cam "$work/cam.json" "$camsim" \
    --camera "mac=02:00:00:00:80:01,model=QC-220W,ip=198.19.4.4,wireless=1,essid=Porch,channel=4,opcodes=0xA2:0xA3:0xA8:0xB2" \
    --wps-pending 1
netlab_camera_host bad lanA 198.19.4.2/24
netlab_simulator bad "$work/bad.json" "$camsim" --camera "mac=02:00:00:00:80:02" --status 7 --detail 42
state() { cat "$work/$1.json"; }
# Requests of one opcode the camera host has seen (the first "requests" object of its state).
seen() { grep -o "\"$2\": [0-9]*" "$work/$1.json" | head -n 1; }
cam=(--mac 02:00:00:00:80:01 --password admin)

run "login" 0 login "${cam[@]}" --json
has "login" "$out" '"opcodes": [162, 163, 168, 178]'
has "login" "$out" '"ssid": "Porch"'
run "login, text" 0 login "${cam[@]}" --interface eth0
has "login, text" "$out" "opcodes: 0xA2 0xA3 0xA8 0xB2"
run "login, wrong password" 18 login --mac 02-00-00-00-80-01 --password nope
has "login, wrong password" "$err" "login: error 18"
run "opcodes" 0 opcodes "${cam[@]}" --json
has "opcodes" "$out" "[162, 163, 168, 178]"
run "get-wlan" 0 get-wlan "${cam[@]}"
has "get-wlan" "$out" "channel: 4"

run "set-network, static" 0 set-network "${cam[@]}" --ip 198.19.004.9 --mask 255.255.255.0 --gateway 198.19.4.254 --dns1 198.18.0.53 --name Gate
has "set-network, static" "$out" "address 198.19.4.9 mask 255.255.255.0 gateway 198.19.4.254"
has "set-network, state" "$(state cam)" '"name": "Gate", "ip": "198.19.4.9", "mask": "255.255.255.0", "gateway": "198.19.4.254", "dns1": "198.18.0.53", "dns2": "0.0.0.0", "dhcp": 0, "webPort": 80'
before=$(seen cam 162)
run "set-network, gateway outside" 2 set-network "${cam[@]}" --ip 198.19.4.9 --mask 255.255.255.0 --gateway 198.19.5.1
has "set-network, gateway outside" "$err" "gateway '198.19.5.1' (--gateway) is not valid"
run "set-network, bad mask" 2 set-network "${cam[@]}" --ip 198.19.4.9 --mask 255.255.255.254
has "set-network, bad mask" "$err" "subnet mask"
run "set-network, camera's gateway elsewhere" 2 set-network "${cam[@]}" --ip 198.19.7.9
has "set-network, camera's gateway elsewhere" "$err" "gateway '198.19.4.254' (the camera's, give --gateway)"
[ "$before" = "$(seen cam 162)" ] || fail "a refused set-network reached the camera"
run "set-network, neither" 2 set-network "${cam[@]}"
run "set-network, dhcp" 0 set-network "${cam[@]}" --dhcp --json
has "set-network, dhcp" "$(state cam)" '"dhcp": 1'

# --verify searches again: the camera that took everything, one that keeps its gateway, one
# that is gone after the write.
run "verify, confirmed" 0 set-network "${cam[@]}" --ip 198.19.4.9 --gateway 198.19.4.254 --name Gate --verify
has "verify, confirmed" "$out" "confirmed: the camera answers with the settings applied"
run "verify, confirmed, json" 0 set-network "${cam[@]}" --dhcp --verify --json
has "verify, confirmed, json" "$out" '"verify": {"outcome": "confirmed", "differences": []}}'
netlab_camera_host stubborn lanA 198.19.4.5/24
netlab_simulator stubborn "$work/stubborn.json" "$camsim" --camera "mac=02:00:00:00:80:05,ip=198.19.4.5" --ignore-setting gateway
run "verify, setting ignored" 5 set-network --mac 02:00:00:00:80:05 --password admin --ip 198.19.4.6 --gateway 198.19.4.1 --verify
has "verify, setting ignored" "$err" "differs: the camera answers with other settings: gateway '0.0.0.0' instead of '198.19.4.1'"
has "verify, setting ignored" "$(state stubborn)" '"ip": "198.19.4.6", "mask": "255.255.255.0", "gateway": "0.0.0.0"'
run "verify, setting ignored, json" 5 set-network --mac 02:00:00:00:80:05 --password admin --ip 198.19.4.6 --gateway 198.19.4.1 --verify --json
has "verify, setting ignored, json" "$out" '"differences": [{"setting": "gateway", "applied": "198.19.4.1", "found": "0.0.0.0"}]'
netlab_camera_host gone lanA 198.19.4.6/24
netlab_simulator gone "$work/gone.json" "$camsim" --camera "mac=02:00:00:00:80:06" --gone-after-write
run "verify, not seen again" 6 set-network --mac 02:00:00:00:80:06 --password admin --dhcp --verify
has "verify, not seen again" "$err" "not seen again: the camera did not answer a search after the apply"

run "set-wlan" 0 set-wlan "${cam[@]}" --ssid "Back yard" --channel 9 --encryption 1 --wep-key1 abcde
has "set-wlan, state" "$(state cam)" '"essid": "Back yard", "wepKeys": ["abcde"'
lacks "set-wlan, key hidden" "$out" "abcde"
printf 'Long passphrase\n' >"$work/passphrase"
run "set-wlan, passphrase from a file" 0 set-wlan "${cam[@]}" --passphrase-file "$work/passphrase" --json
has "set-wlan, passphrase from a file" "$(state cam)" '"Long passphrase"'
has "set-wlan, passphrase hidden" "$out" '"passphrase": null'
run "login, keys hidden" 0 login "${cam[@]}"
has "login, keys hidden" "$out" "wepKey1: (hidden)"
run "login, keys shown" 0 login "${cam[@]}" --show-keys --json
has "login, keys shown" "$out" '"wepKey1": "abcde"'
has "login, keys shown" "$out" '"passphrase": "Long passphrase"'
has "set-wlan, state" "$(state cam)" '"channel": 9, "encryptionModeBits": "00010000"'
# Refused as the wireless pages refuse it, with their message: what can be judged alone before
# anything is sent, the rest with the camera's own settings before anything is written.
before=$(seen cam 169)
searches=$(seen cam 161)
run "set-wlan, 6-character 64-bit key" 2 set-wlan "${cam[@]}" --enable 1 --encryption 1 --key-length 0 --key-format 0 --default-key 2 --wep-key3 abcdef
has "set-wlan, bad key" "$err" "The key has the wrong length. WEP: 5 or 13 characters"
has "set-wlan, bad key" "$err" "(--wep-key3); nothing sent"
run "set-wlan, short passphrase" 2 set-wlan "${cam[@]}" --enable 1 --encryption 4 --passphrase short
has "set-wlan, short passphrase" "$err" "(--passphrase); nothing sent"
run "set-wlan, accented SSID" 2 set-wlan "${cam[@]}" --enable 1 --encryption 0 --ssid "Caf$(printf '\xc3\xa9')"
has "set-wlan, accented SSID" "$err" "(--ssid); nothing sent"
[ "$searches" = "$(seen cam 161)" ] || fail "a set-wlan refused on its own values searched"
run "set-wlan, the camera's key does not fit WEP" 2 set-wlan "${cam[@]}" --enable 1 --encryption 1 --key-length 1 --default-key 2
has "set-wlan, the camera's key" "$err" "(--wep-key3); nothing written"
[ "$before" = "$(seen cam 169)" ] || fail "a refused set-wlan reached the camera"

before=$(seen cam 164)
run "set-password, too long" 2 set-password "${cam[@]}" --new-password "$(printf 'p%.0s' $(seq 49))"
has "set-password, too long" "$err" "could never be used to sign in"
[ "$before" = "$(seen cam 164)" ] || fail "a refused set-password reached the camera"
run "set-password" 0 set-password "${cam[@]}" --new-password S3cond
has "set-password, state" "$(state cam)" '"passwordEnciphered": true'
run "login, old password" 18 login "${cam[@]}"
cam=(--mac 02:00:00:00:80:01 --password S3cond)
run "login, new password" 0 login "${cam[@]}"

# Passwords other than as arguments, which the process list shows.
printf 'S3cond\r\nsecond line\n' >"$work/password"
run "password from a file" 0 login --mac 02:00:00:00:80:01 --password-file "$work/password"
export QUILLANE_TEST_SECRET=S3cond
run "password from the environment" 0 login --mac 02:00:00:00:80:01 --password-env QUILLANE_TEST_SECRET
input="$work/password" run "password from standard input" 0 login --mac 02:00:00:00:80:01 --password-stdin
run "password two ways" 2 login "${cam[@]}" --password-env QUILLANE_TEST_SECRET
has "password two ways" "$err" "--password is given more than one way"
lacks "password two ways" "$err" "S3cond"
run "unset variable" 2 login --mac 02:00:00:00:80:01 --password-env QUILLANE_NOT_SET
has "unset variable" "$err" "QUILLANE_NOT_SET is not set"
run "endless password file" 2 login --mac 02:00:00:00:80:01 --password-file /dev/zero
run "two readers of standard input" 2 set-password --mac 02:00:00:00:80:01 --new-password-stdin --password-stdin
has "two readers of standard input" "$err" "cannot both read standard input"
run "stray argument" 2 login --mac 02:00:00:00:80:01 hunter2
has "stray argument" "$err" "argument 4 is no option"
lacks "stray argument" "$err" "hunter2"
on_terminal "$cli login --mac 02:00:00:00:80:01 --search-time 300 --timeout 300" S3cond
has "prompt" "$(cat "$work/tty")" "Password:"
has "prompt" "$(cat "$work/tty")" "logged in"
lacks "prompt, no echo" "$(cat "$work/tty")" "S3cond"

# A source that gives no new password, or an empty one, is refused before anything is sent; on a
# terminal the new password is typed twice.
before=$(seen cam 164)
run "new password from empty input" 2 set-password "${cam[@]}" --new-password-stdin
has "new password from empty input" "$err" "--new-password-stdin: standard input is empty"
printf '\n' >"$work/blank"
run "empty new password from a file" 2 set-password "${cam[@]}" --new-password-file "$work/blank"
has "empty new password from a file" "$err" "the new password from --new-password-file is empty"
run "new password file is a folder" 2 set-password "${cam[@]}" --new-password-file "$work"
has "new password file is a folder" "$err" "--new-password-file: cannot read '$work': Is a directory"
terminal_set_password="$cli set-password ${cam[*]} --search-time 300 --timeout 300"
on_terminal "$terminal_set_password" Fourth1 Fourth2
[ "$tty_code" -eq 2 ] || fail "new passwords typed differently: exit $tty_code"
has "new passwords typed differently" "$(cat "$work/tty")" "the two new passwords typed differ"
on_terminal "$terminal_set_password" "^D"
[ "$tty_code" -eq 2 ] || fail "no new password typed: exit $tty_code"
has "no new password typed" "$(cat "$work/tty")" "nothing was typed for the new password"
[ "$before" = "$(seen cam 164)" ] || fail "a refused new password reached the camera"
on_terminal "$terminal_set_password" S3cond S3cond
[ "$tty_code" -eq 0 ] || fail "new password typed twice: exit $tty_code: $(cat "$work/tty")"
has "new password typed twice" "$(cat "$work/tty")" "Retype new password:"
lacks "new password typed twice, no echo" "$(cat "$work/tty")" "S3cond"
[ "${before#*: }" -lt "$(seen cam 164 | sed 's/.*: //')" ] || fail "new password typed twice: nothing sent"
printf 'S3cond\n' >"$work/shared-password"
chmod 644 "$work/shared-password"
stderr_ok=1 run "password file others can read" 0 login --mac 02:00:00:00:80:01 --password-file "$work/shared-password"
has "password file others can read" "$err" "warning: --password-file: other users can read '$work/shared-password'"

run "wps --pin" 0 wps "${cam[@]}" --pin --interval 10
has "wps --pin" "$out" "PIN "
# Nothing but the command's own lines: no key exchange diagnostics.
[ "$(echo "$out" | grep -cv -e "^PIN " -e "joined the wireless network by WPS$")" -eq 0 ] ||
    fail "wps --pin: other lines on standard output: $out"
has "wps --pin, state" "$(state cam)" '"phase": "joined", "mode": 2'
run "wps --pbc" 0 wps "${cam[@]}" --pbc --interval 10 --json
has "wps --pbc" "$out" '"mode": "pbc"'
[[ "$out" == "{"* ]] || fail "wps --json: more than JSON on standard output: $out"
run "wps, neither" 2 wps "${cam[@]}"

run "reset" 0 reset "${cam[@]}"
has "reset, state" "$(state cam)" '"resets": 1'

run "camera failure" 30 set-network --mac 02:00:00:00:80:02 --password admin --dhcp
has "camera failure" "$err" "set-network: error 30: the camera reported a failure (detail 42)"
netlab_camera_host mute lanA 198.19.4.3/24
# Started last, so that no earlier request delays it. Answers too late for an operation's 300 ms, in time for a search that waits longer.
netlab_simulator mute "$work/mute.json" "$camsim" --camera "mac=02:00:00:00:80:03" --reply-delay 600
search_time=1500 run "no answer" 30 reset --mac 02:00:00:00:80:03 --password admin
has "no answer" "$err" "reset: error 30: no answer from the camera (detail 1500); the request was sent, so the change may have been applied"
netlab_camera_host deaf lanA 198.19.4.8/24
netlab_simulator deaf "$work/deaf.json" "$camsim" --camera "mac=02:00:00:00:80:08" --drop-answers 0xA4
run "set-password, answer lost" 0 set-password --mac 02:00:00:00:80:08 --password admin --new-password Th1rd
has "set-password, answer lost" "$out" "changed (its answer was lost; a sign-in with the new password confirmed it)"
# Writes that the camera takes but whose answers are lost: --verify searches and compares anyway,
# set-wlan reads the wireless settings back, and both say what the camera holds.
netlab_camera_host lossy lanA 198.19.4.10/24
netlab_simulator lossy "$work/lossy.json" "$camsim" \
    --camera "mac=02:00:00:00:80:0a,ip=198.19.4.10,wireless=1,essid=Old" --drop-answers 0xA2
netlab_camera_host lossywlan lanA 198.19.4.11/24
netlab_simulator lossywlan "$work/lossywlan.json" "$camsim" \
    --camera "mac=02:00:00:00:80:0b,ip=198.19.4.11,wireless=1,essid=Old" --drop-answers 0xA9
netlab_camera_host stubbornwlan lanA 198.19.4.12/24
netlab_simulator stubbornwlan "$work/stubbornwlan.json" "$camsim" \
    --camera "mac=02:00:00:00:80:0c,ip=198.19.4.12,wireless=1,essid=Old" --drop-answers 0xA9 --ignore-setting essid
lossy=(--mac 02:00:00:00:80:0a --password admin)
run "answer lost, verify" 0 set-network "${lossy[@]}" --ip 198.19.4.20 --verify
has "answer lost, verify" "$out" "the answer to the write was lost; confirmed: the camera answers with the settings applied"
has "answer lost, verify" "$(state lossy)" '"ip": "198.19.4.20"'
run "answer lost, verify, json" 0 set-network "${lossy[@]}" --dhcp --verify --json
has "answer lost, verify, json" "$out" '"answered": false, "verify": {"outcome": "confirmed", "differences": []}}'
run "answer lost, no verify" 30 set-network "${lossy[@]}" --ip 198.19.4.21
has "answer lost, no verify" "$err" "the request was sent, so the change may have been applied"
reads=$(seen lossy 168)
run "set-wlan, network write unanswered" 0 set-wlan "${lossy[@]}" --ssid "New yard" --channel 3
has "set-wlan, network write unanswered" "$out" "read back, the camera holds the settings written"
has "set-wlan, network write unanswered" "$out" "ssid: New yard"
[ "$(seen lossy 168 | sed 's/.*: //')" -eq $((${reads#*: } + 2)) ] ||
    fail "set-wlan, network write unanswered: expected a reading before and one after the apply"
run "set-wlan, answer lost" 0 set-wlan --mac 02:00:00:00:80:0b --password admin --ssid "New yard" --json
has "set-wlan, answer lost" "$out" '"ssid": "New yard"'
has "set-wlan, answer lost" "$(state lossywlan)" '"essid": "New yard"'
run "set-wlan, answer lost, other settings" 5 set-wlan --mac 02:00:00:00:80:0c --password admin --ssid "New yard"
has "set-wlan, answer lost, other settings" "$err" "read back, the camera holds other wireless settings: SSID 'Old' instead of 'New yard'"
has "set-wlan, answer lost, other settings" "$out" "ssid: Old"

run "unknown camera" 4 login --mac 02:00:00:00:80:09
has "unknown camera" "$err" "no camera 02:00:00:00:80:09 answered the search"
run "other interface" 4 login "${cam[@]}" --interface eth9
before=$(seen cam 168)
run "missing template" 1 get-wlan "${cam[@]}" --templates "$work/none"
has "missing template" "$err" "error 1: the template file is missing"
[ "$before" = "$(seen cam 168)" ] || fail "missing template: a request was sent"
run "no MAC" 2 login --password admin

checks_finish "$work" "camera command"
