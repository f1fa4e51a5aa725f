# The Debian packages the program needs, and a function that installs those missing.
# Sourced by scripts/run and scripts/test.

# To build: compiler, CMake, Qt 6 (Widgets, D-Bus, Test), libpng, libjpeg, sd-bus (libsystemd),
# libmpg123 and ALSA.
BUILD_PACKAGES="cmake g++ make pkg-config qt6-base-dev libqt6test6 libpng-dev libjpeg-dev
  libsystemd-dev libmpg123-dev libasound2-dev"
# To run: Qt's X11 platform plugin, Qt's own texts in Chinese (the file dialog), and a Chinese
# Song-style font standing for 宋体.
RUN_PACKAGES="qt6-qpa-plugins qt6-translations-l10n fonts-arphic-uming"
# To test: private D-Bus buses with mocked services, and a real X server for the program itself,
# with a window manager and an XEmbed notification area.
TEST_PACKAGES="dbus-daemon python3-dbusmock xvfb xdotool x11-utils openbox trayer"

# ensure_packages PACKAGE... : one apt-get update and one install, only when something is missing.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "需要安装 ${missing[*]}，但没有 root 权限 (run as root or install sudo)" >&2; return 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}" >&2
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2 &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
      "${missing[@]}" >&2
}
