#!/usr/bin/env bash
# A real print system for the printing tests: the machine's CUPS scheduler (started when it is not
# running) with a cups-pdf queue that is not the default printer (the test makes it so).
# Where CUPS cannot be set up here (not root, a package missing, a default printer of the
# machine's own), the reason goes to STATE/unavailable and the tests skip with it.
# Usage: cups-fixture.sh start|stop STATE
set -euo pipefail
action=$1 state=$2 queue=TessnivarTest
mkdir -p "$state"
unavailable() { echo "$1" | tee "$state/unavailable"; exit 0; }
running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
# Waits up to 10 s for the scheduler to be running (yes) or stopped (no).
await() { for _ in $(seq 100); do { running && [ "$1" = yes ]; } || { ! running && [ "$1" = no ]; } && return 0; sleep 0.1; done; return 1; }
case $action in
start)
  rm -f "$state/unavailable" "$state/started-cupsd"
  [ "$(id -u)" = 0 ] || unavailable "not root: cupsd cannot be started nor a queue added"
  command -v cupsd >/dev/null || unavailable "cupsd is not installed (package cups)"
  running || { cupsd && touch "$state/started-cupsd" && await yes; } || { echo "cupsd did not start" >&2; exit 1; }
  ! lpstat -d 2>/dev/null | grep -q "^system default destination:" ||
    unavailable "this machine already has a default printer; the tests would print on it"
  ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF/ { print $1; exit }')
  [ -n "$ppd" ] || unavailable "no CUPS-PDF driver (package printer-driver-cups-pdf)"
  lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" 2>/dev/null ;;
stop)
  [ -e "$state/unavailable" ] && exit 0
  lpadmin -x "$queue" 2>/dev/null || true
  [ -e "$state/started-cupsd" ] || exit 0
  pkill -x cupsd || true
  await no || true
  rm -f "$state/started-cupsd" ;;
*) echo "usage: $0 start|stop STATE" >&2; exit 2 ;;
esac
