#!/bin/sh
# Runs a command inside a D-Bus session of its own with an unlocked
# gnome-keyring (the Secret Service), in a private home folder, and tells the
# keyring tests that the service is there. Use: dbus-run-session -- with_secret_service.sh COMMAND...
set -eu
home=$(mktemp -d)
trap 'kill "${GNOME_KEYRING_PID:-}" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
eval "$(printf 'test' | gnome-keyring-daemon --unlock --components=secrets)"
export GNOME_KEYRING_CONTROL
SPLIMERA_SECRET_SERVICE=1 "$@"
