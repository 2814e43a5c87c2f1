#!/usr/bin/env bash
# scripts/run passes the student's arguments on and adds the demo course only
# when no course folder is among them. Runs a copy of the script beside a
# stand-in program that prints what it was given.
set -euo pipefail
script=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/scripts" "$root/build/src"
cp "$script" "$root/scripts/run"
printf '#!/bin/sh\n' >"$root/scripts/prepare"
printf '#!/bin/sh\nprintf "%%s|" "$@"\n' >"$root/build/src/tolvaren"
chmod +x "$root/scripts/prepare" "$root/build/src/tolvaren"
demo="$root/build/demo-course"

failures=0
expect() { # expected output, then the arguments
    local want=$1
    shift
    local got
    got=$("$root/scripts/run" "$@")
    if [ "$got" != "$want" ]; then
        echo "scripts/run $*: the program got '$got', expected '$want'" >&2
        failures=$((failures + 1))
    fi
}
expect "$demo|"
expect "--no-splash|$demo|" --no-splash
expect "/my/course|" /my/course
expect "--no-splash|/my/course|" --no-splash /my/course
expect "my course|--no-splash|" "my course" --no-splash
exit $((failures > 0))
