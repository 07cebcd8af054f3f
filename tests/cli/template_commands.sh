#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# quillane-cli template: each case is a command line, the exit code and a text its output must hold.
set -u
cli=$1
data=$2
t=$data/templates/Every_temp
failures=0

check() {
    local expect_code=$1 expect_text=$2
    shift 2
    local output code
    output=$("$cli" "$@" 2>&1)
    code=$?
    if [ "$code" -ne "$expect_code" ] || [[ "$output" != *"$expect_text"* ]]; then
        echo "FAIL: quillane-cli $* -> exit $code, output:"
        echo "$output" | head -n 5
        echo "  expected exit $expect_code and '$expect_text'"
        failures=$((failures + 1))
    fi
}

check 0 $'Port=80\nName=abc\nIP=192.168.0.20\nPad=0\nB64=abc\nFlags=00000101' template dump "$t"
check 0 '"name": "Port", "length": 2, "textLimit": 0, "defaultValue": "80", "value": "80", "opcode": "TW2S", "attr1": "x", "attr2": "y", "attr3": "a"' template dump "$t" --json
check 0 '0201616263000000' template encode "$t" Port=258
check 0 '50006162630000000000c0a8001400000059574a6a0000000005' template encode "$t"
check 0 $'Port=258\nName=xyz\nIP=10.0.0.1\nPad=0\nB64=abc\nFlags=00000011' \
    template decode "$t" 0xa3 "000000001b00 0201 78797a0000000000 0a000001 000000 59574a6a00000000 03"
check 0 'Port=258' template decode "$t" 161 "0201"
check 0 $'OPCode01=3\nOPCode02=16' template decode "$t" 165 "000000000400 0300 1000"
check 1 "cannot open template file" template dump "$data/templates/Missing_temp"
check 1 "cannot open template file" template dump "$data/templates"
check 2 "bad hex" template decode "$t" 163 "0g"
check 2 "bad hex" template decode "$t" 163 "abc"
check 2 "bad mode" template decode "$t" sixteen "00"
check 2 "expected NAME=VALUE" template encode "$t" Port
check 2 "unknown template command" template frobnicate "$t"
check 2 "is no command" nothing

if [ "$failures" -ne 0 ]; then
    echo "$failures case(s) failed"
    exit 1
fi
echo "all template command cases passed"
