#!/usr/bin/env bash
# Publishes one scanner service with avahi-daemon, for the discovery tests.
# Run it only inside tests/netns-run.sh: avahi-daemon must never see the
# machine's real interfaces.
#
#   avahi-responder.sh DEVICE MODEL SERIAL
#
# The daemon runs without any message bus and without touching the machine's
# own files: a private mount namespace lays scratch copies over its service
# and runtime folders, and over the user list, where its user becomes root
# (the namespace maps no other user, so the daemon's chown to its own user
# would fail). Prints "ready" once the service is announced;
# ends (with the daemon) on SIGTERM or at the end of standard input.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 DEVICE MODEL SERIAL" >&2; exit 2; }
daemon="$(command -v avahi-daemon || echo /usr/sbin/avahi-daemon)"
[ -x "$daemon" ] || { echo "avahi-daemon is not installed (scripts/install-deps.sh installs it)" >&2; exit 3; }

scratch="$(mktemp -d)"
mkdir -p "$scratch/services"
cat > "$scratch/avahi-daemon.conf" <<CONF
[server]
host-name=avahi-scanner
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=no
ratelimit-interval-usec=1000000
ratelimit-burst=1000
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
[reflector]
enable-reflector=no
CONF
# Values are written as XML text: escape what XML needs.
xml() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"; }
cat > "$scratch/services/scanner.service" <<SERVICE
<?xml version="1.0" standalone='no'?>
<!DOCTYPE service-group SYSTEM "avahi-service.dtd">
<service-group>
  <name>$(xml "$1")</name>
  <service>
    <type>_scanner._tcp</type>
    <port>443</port>
    <txt-record>mdl=MERIX $(xml "$2")</txt-record>
    <txt-record>SERIAL=$(xml "$3")</txt-record>
    <txt-record>device=$(xml "$1")</txt-record>
  </service>
</service-group>
SERVICE
{ grep -v '^avahi:' /etc/passwd; echo 'avahi:x:0:0:avahi:/run/avahi-daemon:/usr/sbin/nologin'; } > "$scratch/passwd"
{ grep -v '^avahi:' /etc/group; echo 'avahi:x:0:'; } > "$scratch/group"

exec 3<&0
exec unshare --mount --propagation private bash -c '
  scratch="$1"; daemon="$2"; pid=""
  finish() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    umount /etc/avahi/services /etc/passwd /etc/group 2>/dev/null
    rm -rf "$scratch"
  }
  trap finish EXIT
  trap "exit 0" TERM INT
  mount --bind "$scratch/services" /etc/avahi/services
  mount --bind "$scratch/passwd" /etc/passwd
  mount --bind "$scratch/group" /etc/group
  mount -t tmpfs -o mode=0755 tmpfs /run
  "$daemon" -f "$scratch/avahi-daemon.conf" --no-drop-root --no-chroot --no-rlimits --no-proc-title \
    > "$scratch/daemon.log" 2>&1 &
  pid=$!
  # The daemon says so once the service has been announced.
  for i in $(seq 200); do
    grep -q "successfully established" "$scratch/daemon.log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "successfully established" "$scratch/daemon.log" || { cat "$scratch/daemon.log" >&2; exit 1; }
  echo ready
  cat <&3 > /dev/null &
  wait $!
' avahi-responder "$scratch" "$daemon"
