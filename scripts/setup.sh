#!/usr/bin/env bash
# Installs what building, running and testing need, where it is missing. As root it installs
# with apt-get; otherwise it names the packages to install and stops.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-tidy
  qt6-base-dev libx11-dev libxext-dev libxrandr-dev libxrender-dev libxtst-dev libgl-dev
  libxdamage-dev                  # the benchmarks count frames by the damage they do
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic            # a Japanese P-gothic for the design font
  kolourpaint                     # a paint program that takes a pasted picture
  xvfb openbox x11-utils xdotool xclip imagemagick   # the tests' virtual desktop
  dpkg-dev file zip unzip desktop-file-utils appstream lintian   # packaging and its checks
  x11-xkb-utils                   # setxkbmap: the tests' keyboard layouts
  procps                          # pgrep: the tests look for the clipboard keeper by its name
  weston xwayland                 # a headless Wayland session for the tests
  # Native Wayland: the ScreenCast portal's frames over PipeWire, the bell, Qt's Wayland platform
  # and its connection's objects (Qt's private platform interface), for the view's subsurface
  qt6-wayland libpipewire-0.3-dev libwayland-dev libwayland-bin libcanberra-dev
  qt6-base-private-dev
  # The tests' headless GNOME session: mutter, PipeWire, the portals, the clipboard from outside
  mutter pipewire pipewire-bin pipewire-pulse wireplumber xdg-desktop-portal
  xdg-desktop-portal-gnome dbus dbus-bin libglib2.0-bin wl-clipboard
)
exec "$(dirname "$0")/install-missing.sh" "${packages[@]}"
