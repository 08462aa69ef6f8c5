#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its servers need (only the missing).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-mysql qt6-5compat-dev libqt6printsupport6
    libcurl4-openssl-dev libssl-dev libsqlite3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
    libxlsxwriter-dev
    mariadb-server mariadb-client python3-pyftpdlib python3-pymysql python3-openssl
    xvfb xauth fonts-nanum poppler-utils curl clang-format clang-tidy qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "run as root or install sudo to add: ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
