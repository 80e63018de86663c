#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Idempotent: when everything is present it prints nothing and touches nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libexpat1-dev nlohmann-json3-dev libcurl4-openssl-dev libgtest-dev
  libcpp-httplib-dev libssl-dev openssl
  libxml2-utils iproute2 util-linux desktop-file-utils
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core
  ccache
  # Translations: the string tables are made from po/*.po at build time
  # (python3-polib), checked with gettext's tools; Qt's own texts in the
  # user's language come from qt6-translations-l10n.
  gettext python3-polib qt6-translations-l10n
  # Packaging: manual pages (scdoc, man-db), the icon's sizes (librsvg2-bin),
  # the metadata checks (appstream), the Debian packages (dpkg-dev for
  # dpkg-shlibdeps, lintian, fakeroot) and the completions' shells.
  scdoc man-db librsvg2-bin appstream dpkg-dev fakeroot lintian bash-completion zsh
  # Third-party multicast-DNS responders for the discovery tests; they run only
  # inside the tests' private network namespaces.
  python3-zeroconf avahi-daemon
  # A private X server with a window manager, keys pressed as a user does
  # (xdotool), and a window closed through the window manager as a task bar
  # does (wmctrl), for the test that closes the application's window.
  xvfb openbox xdotool wmctrl
  # The accessibility tests: a private session bus (dbus-run-session), the
  # accessibility bus and its registry (at-spi2-core), and an AT-SPI client as
  # a screen reader is one (python3-pyatspi); xprop (x11-utils) tells when the
  # window manager is up.
  dbus at-spi2-core python3-pyatspi x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# Packages such as avahi-daemon start their service when installed, on the
# machine's real interfaces. Nothing may start during this install: a policy
# that refuses every start stands for its length unless the machine has one.
policy=/usr/sbin/policy-rc.d
own_policy=""
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  own_policy=1
fi
status=0
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || status=$?
[ -n "$own_policy" ] && $sudo rm -f "$policy"
# Where systemd runs, keep the daemon from starting at boot or by socket activation.
if [ -d /run/systemd/system ] && dpkg-query -W -f='${Status}' avahi-daemon 2>/dev/null | grep -q "ok installed"; then
  $sudo systemctl disable --now avahi-daemon.socket avahi-daemon.service >/dev/null 2>&1 || true
  $sudo systemctl mask avahi-daemon.socket avahi-daemon.service >/dev/null 2>&1 || true
fi
exit "$status"
