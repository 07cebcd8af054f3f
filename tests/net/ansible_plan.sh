#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The Ansible role of contrib/ansible against two hosts that are two PCs, each in a namespace of its
# own on its own segment with its own simulated cameras: check mode changes nothing, the run leaves
# every camera holding exactly its row, a second run changes nothing, and a wrong password fails its
# camera's row (the others go on) and the play says so. Each quillane-cli run is checked to happen in
# its host's namespace, with no password among its arguments and its plan file readable by no one
# else. Exit 77 (skipped) outside an isolated namespace or without ansible-playbook.
#   ansible_plan.sh QUILLANE-CLI QUILLANE-CAMSIM CONTRIB-ANSIBLE-FOLDER
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cli=$1
camsim=$2
playbooks=$3
# shellcheck source=netlab.sh
source "$here/netlab.sh"
netlab_check_isolated || exit 77
command -v ansible-playbook >/dev/null ||
    { echo "ansible-playbook is not installed (Debian package ansible-core); skipped"; exit 77; }
umask 077
work=$(mktemp -d)
# shellcheck source=checks.sh
source "$here/checks.sh"

netlab_init
netlab_link lanA
netlab_link lanB
netlab_pc pc2
netlab_pc_adapter lanA eth0 198.18.0.1/24
netlab_adapter_of pc2 lanB eth0 198.18.1.1/24
netlab_camera_host hosta lanA 198.19.1.1/24
netlab_camera_host hostb lanB 198.19.2.1/24
netlab_simulator hosta "$work/a.json" "$camsim" --camera "mac=02:00:00:00:a0:01,ip=198.19.1.10,password=Cam-Pw-1" --count 4
netlab_simulator hostb "$work/b.json" "$camsim" --camera "mac=02:00:00:00:b0:01,ip=198.19.2.10,password=Cam-Pw-1" --count 5

# Ansible keeps everything it writes in the work folder, and the module's temporary folders too.
mkdir -p "$work/home" "$work/tmp" "$work/inventory/group_vars/all"
: >"$work/ansible.cfg"
export HOME=$work/home TMPDIR=$work/tmp LC_ALL=C.UTF-8 ANSIBLE_CONFIG=$work/ansible.cfg
export ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0
export ANSIBLE_LOCAL_TEMP=$work/ansible-local ANSIBLE_REMOTE_TEMP=$work/ansible-remote

# Each host's Python, and so every program its modules start, runs in that host's namespace.
for host in site-a:pc site-b:pc2; do
    printf '#!/bin/sh\nexec ip netns exec %s /usr/bin/python3 "$@"\n' "$(netlab_ns "${host#*:}")" \
        >"$work/python-${host%%:*}"
    chmod 700 "$work/python-${host%%:*}"
done
# quillane-cli, recording where it ran, its arguments, its plan file's and folder's modes and the
# MACs in it (never the file's passwords).
cat >"$work/cli" <<EOF
#!/bin/bash
line="ns=\$(ip netns identify)"
if [ "\$1" = plan ]; then
    line+=" modes=\$(stat -c %a "\$2"),\$(stat -c %a "\$(dirname "\$2")")"
    line+=" macs=\$(grep -o '02:00:00:00:[ab]0:0[0-9]' "\$2" | tr '\n' ' ')"
fi
# One write of one line: the hosts run at the same time.
printf '%s args=%s\n' "\$line" "\$*" >>"$work/cli.log"
exec "$cli" "\$@"
EOF
chmod 700 "$work/cli"

cat >"$work/inventory/hosts.yml" <<EOF
all:
  vars:
    ansible_connection: local
    quillane_cli: $work/cli
    quillane_plan_csv: "{{ inventory_dir }}/site.csv"
    quillane_search_time: 300
    quillane_timeout: 1000
  hosts:
    site-a:
      ansible_python_interpreter: $work/python-site-a
    site-b:
      ansible_python_interpreter: $work/python-site-b
      quillane_cameras:
        - mac: "02:00:00:00:b0:04"
          name: Yard B4
          dhcp: true
EOF
printf 'vault-secret\n' >"$work/vault-password"
printf 'Cam-Pw-1' | ansible-vault encrypt_string --vault-password-file "$work/vault-password" \
    --stdin-name quillane_password >"$work/inventory/group_vars/all/vault.yml" 2>/dev/null

# A spreadsheet's "CSV UTF-8" (byte-order mark), a comment, an empty line, quoted cells with a
# comma, quotes and spaces; DHCP, static addresses and new passwords on both segments.
printf '\xef\xbb\xbf' >"$work/inventory/site.csv"
cat >>"$work/inventory/site.csv" <<'EOF'
# Each camera with the PC of its segment.
host,mac,name,dhcp,ip,mask,gateway,new_password
site-a,02:00:00:00:a0:01,"Door, A1",,198.19.1.101,255.255.255.0,198.19.1.254,
site-a , 02:00:00:00:a0:02 ,  Door A2  ,,198.19.1.102,255.255.255.0,198.19.1.254,
site-a,02:00:00:00:a0:03,"  Lobby ""3""",1,,,,Pa55-a3

site-b,02:00:00:00:b0:01,Yard B1,1,,,,
site-b,02:00:00:00:b0:02,Yard B2,,198.19.2.102,255.255.255.0,,Pa55-b2
site-b,02:00:00:00:b0:03,,0,198.19.2.103,255.255.255.0,198.19.2.254,
EOF
# What each camera must hold then: mac name ip mask gateway dhcp (a0:04 and b0:05 are in no row).
cat >"$work/expected" <<'EOF'
02.00.00.00.a0.01	Door, A1	198.19.1.101	255.255.255.0	198.19.1.254	0
02.00.00.00.a0.02	Door A2	198.19.1.102	255.255.255.0	198.19.1.254	0
02.00.00.00.a0.03	  Lobby "3"	198.19.1.12	255.255.255.0	0.0.0.0	1
02.00.00.00.a0.04	Camera-4	198.19.1.13	255.255.255.0	0.0.0.0	0
02.00.00.00.b0.01	Yard B1	198.19.2.10	255.255.255.0	0.0.0.0	1
02.00.00.00.b0.02	Yard B2	198.19.2.102	255.255.255.0	0.0.0.0	0
02.00.00.00.b0.03	Camera-3	198.19.2.103	255.255.255.0	198.19.2.254	0
02.00.00.00.b0.04	Yard B4	198.19.2.13	255.255.255.0	0.0.0.0	1
02.00.00.00.b0.05	Camera-5	198.19.2.14	255.255.255.0	0.0.0.0	0
EOF

# Every camera of both simulators, one line each.
cameras() {
    jq -r '.cameras[] | [.mac, .name, .ip, .mask, .gateway, .dhcp] | @tsv' "$work/a.json" "$work/b.json" | sort
}

# play NAME EXPECTED_EXIT ARGS...: runs the playbook; leaves its output in out.
play() {
    local what=$1 expected=$2 code=0
    shift 2
    ansible-playbook -i "$work/inventory/hosts.yml" --vault-password-file "$work/vault-password" "$playbooks/site.yml" "$@" \
        >"$work/out" 2>&1 || code=$?
    out=$(cat "$work/out")
    echo "== $what: $(grep -E '^site-[ab] +:' "$work/out" | tr -s ' ' | paste -sd ';')"
    [ "$code" -eq "$expected" ] || fail "$what: exit $code, expected $expected: $(tail -n 40 "$work/out")"
    lacks "$what" "$out" "Cam-Pw-1"
    lacks "$what" "$out" "Pa55"
}

# recap NAME HOST CHANGED FAILED: the host's line of the play recap.
recap() {
    local line
    line=$(grep -E "^$2 +:" "$work/out" || true)
    [[ "$line" == *" changed=$3 "* && "$line" == *" failed=$4 "* ]] ||
        fail "$1: $2 should have changed=$3 failed=$4: '$line'"
}

# signs_in NAME NS MAC PASSWORD: the camera takes that password.
signs_in() {
    printf '%s\n' "$4" | ip netns exec "$(netlab_ns "$2")" "$cli" login --mac "$3" --password-stdin \
        --search-time 300 --timeout 1000 >/dev/null 2>&1 || fail "$1: $3 does not sign in with its password"
}

before=$(cameras)
play "check mode" 0 --check
recap "check mode" site-a 1 0
recap "check mode" site-b 1 0
[ "$before" = "$(cameras)" ] || fail "check mode: a camera changed"
for state in a b; do
    requests=$(jq -c '.requests | keys - ["161", "163", "165", "168"]' "$work/$state.json")
    [ "$requests" = '[]' ] || fail "check mode: simulator $state saw writing requests $requests"
done
has "check mode" "$out" '02:00:00:00:a0:01 (site.csv line 3): changed - would change: address 198.19.1.10 -> 198.19.1.101, gateway 0.0.0.0 -> 198.19.1.254, name Camera-1 -> Door, A1'
has "check mode" "$out" '02:00:00:00:b0:04 (quillane_cameras item 1): changed - would change: DHCP off -> on, name Camera-4 -> Yard B4'

# -vvv prints every module's arguments too: the passwords among them must be masked.
play "apply" 0 -vvv
has "apply" "$out" '"new_password": "VALUE_SPECIFIED_IN_NO_LOG_PARAMETER"'
recap "apply" site-a 1 0
recap "apply" site-b 1 0
diff "$work/expected" <(cameras) || fail "apply: the cameras do not hold exactly their rows"
has "apply" "$out" '02:00:00:00:a0:03 (site.csv line 5): changed - confirmed: DHCP off -> on, name Camera-3 ->   Lobby \"3\", new password'
signs_in "apply" pc 02:00:00:00:a0:03 Pa55-a3
signs_in "apply" pc2 02:00:00:00:b0:02 Pa55-b2
signs_in "apply" pc2 02:00:00:00:b0:01 Cam-Pw-1

play "second run" 0
recap "second run" site-a 0 0
recap "second run" site-b 0 0
has "second run" "$out" '02:00:00:00:b0:02 (site.csv line 8): ok - no change (it signs in with its new password already)'
has "second run" "$out" '02:00:00:00:b0:03 (site.csv line 9): ok - no change'
diff "$work/expected" <(cameras) || fail "second run: a camera changed"

# A wrong password fails its row; the other row of that host is set up all the same.
printf 'host,mac,name,password\nsite-b,02:00:00:00:b0:05,Renamed B5,not-the-password\nsite-b,02:00:00:00:b0:01,Yard B1 again,\n' \
    >"$work/wrong.csv"
play "wrong password" 2 -e "quillane_plan_csv=$work/wrong.csv"
recap "wrong password" site-a 0 0
has "wrong password" "$out" "no camera for this host"
recap "wrong password" site-b 0 1
has "wrong password" "$out" '1 of 3 cameras failed: 02:00:00:00:b0:05 (wrong.csv line 2): failed - failed: error 18: the camera refused the ID or password'
has "wrong password" "$out" '02:00:00:00:b0:01 (wrong.csv line 3): changed - confirmed: name Yard B1 -> Yard B1 again'
lacks "wrong password" "$out" "not-the-password"
has "wrong password" "$(cameras)" $'02.00.00.00.b0.05\tCamera-5\t'
has "wrong password" "$(cameras)" $'02.00.00.00.b0.01\tYard B1 again\t'

# A row for a host the inventory lacks stops the play before anything is sent.
searches=$(jq -c '.requests' "$work/a.json" "$work/b.json")
printf 'host,mac,name\nsite-a,02:00:00:00:a0:01,Door\nsite-c,02:00:00:00:c0:01,Gate\n' >"$work/stray.csv"
play "stray host" 2 -e "quillane_plan_csv=$work/stray.csv"
has "stray host" "$out" "stray.csv line 3: the host column names no host of the inventory"
[ "$searches" = "$(jq -c '.requests' "$work/a.json" "$work/b.json")" ] || fail "stray host: the cameras heard from the play"

# Every quillane-cli run: in its host's namespace, only its segment's rows, private plan files,
# no password among the arguments; and no plan file is left behind.
log=$(cat "$work/cli.log")
while read -r line; do
    case $line in
        "ns=$(netlab_ns pc) "*) lacks "runs in pc" "$line" ":b0:" ;;
        "ns=$(netlab_ns pc2) "*) lacks "runs in pc2" "$line" ":a0:" ;;
        *) fail "quillane-cli ran outside the hosts' namespaces: $line" ;;
    esac
    [[ "$line" != *" plan "* || "$line" == *" modes=600,700 "* ]] || fail "a plan file others could read: $line"
done <<<"$log"
for secret in Cam-Pw-1 Pa55 not-the-password; do
    lacks "quillane-cli's arguments" "$log" "$secret"
done
has "quillane-cli's runs" "$log" "ns=$(netlab_ns pc) modes=600,700 macs=02:00:00:00:a0:01 "
has "quillane-cli's runs" "$log" "ns=$(netlab_ns pc2) modes=600,700 macs=02:00:00:00:b0:01 "
leftovers=$(find "$work/tmp" -mindepth 1)
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"

checks_finish "$work" "Ansible role"
