#!/usr/bin/env bash
# The program from outside: no display, an unreachable display, ignored arguments, SIGTERM.
set -u
program=$1
fail() { echo "FAIL: $*"; exit 1; }

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>/tmp/program_test.$$ </dev/null)
rc=$?
err=$(cat /tmp/program_test.$$)
[ $rc -ne 0 ] || fail "no display: exit code 0"
[ -z "$out" ] || fail "no display: wrote to stdout: $out"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "no display: not one line on stderr: $err"

err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:987 "$program" 2>&1 >/dev/null </dev/null)
rc=$?
[ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "unreachable display: exit code $rc"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "unreachable display: not one line: $err"

# Command-line arguments are not read, not even Qt's own.
QT_QPA_PLATFORM=offscreen "$program" -platform xcb -display :987 --anything &
pid=$!
for _ in $(seq 50); do
  [ -r /proc/$pid/status ] && grep -q 'autoshutdown' /proc/$pid/comm 2>/dev/null && break
  sleep 0.1
done
sleep 0.5
kill -0 $pid 2>/dev/null || fail "it did not keep running with arguments given"
kill -TERM $pid
wait $pid
rc=$?
[ $rc -eq 0 ] || fail "SIGTERM: exit code $rc"
rm -f /tmp/program_test.$$
echo "PASS"
