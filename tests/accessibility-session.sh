#!/usr/bin/env bash
# Runs a command as on a desktop with a screen reader: a private X server
# (Xvfb), window manager (openbox), D-Bus session bus and accessibility bus,
# all ended with the command. A part that does not come up within ten seconds
# fails the run with the reason: a test must not pass without the bus.
set -euo pipefail
for argument in "$@"; do
  [ "$argument" = --gtest_list_tests ] && exec "$@"
done
fail() { echo "accessibility-session.sh: $*" >&2; exit 1; }

if [ -z "${VANTIX_ACCESSIBILITY_SESSION:-}" ]; then
  command -v dbus-run-session >/dev/null || fail "dbus-run-session is missing (package dbus-bin)"
  export VANTIX_ACCESSIBILITY_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || fail "$launcher is missing (package at-spi2-core)"
command -v Xvfb >/dev/null || fail "Xvfb is missing (package xvfb)"
command -v xprop >/dev/null || fail "xprop is missing (package x11-utils)"

scratch="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
within_ten_seconds() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

# -noreset: a server that resets when the last client leaves (the checks
# below) now and then leaves openbox without a display.
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=("$!")
within_ten_seconds grep -q . "$scratch/display" || fail "Xvfb did not start: $(tail -n 3 "$scratch/xvfb.log")"
export DISPLAY=":$(head -n 1 "$scratch/display")"

openbox >"$scratch/openbox.log" 2>&1 &
pids+=("$!")
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
within_ten_seconds managed || fail "openbox did not start: $(tail -n 3 "$scratch/openbox.log")"

# Nothing of the account's own desktop is read.
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=0

"$launcher" --launch-immediately >"$scratch/launcher.log" 2>&1 &
pids+=("$!")
bus_address() {
  dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | grep -q 'unix:'
}
within_ten_seconds bus_address || fail "the accessibility bus did not come up: $(tail -n 3 "$scratch/launcher.log")"

# Qt takes part in accessibility whatever the desktop's settings say.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$@"
