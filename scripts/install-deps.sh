#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing KELDAR needs: every package named in
# scripts/packages/*.txt (one a line, '#' starts a comment), and the de_DE.UTF-8 locale that the
# comma-decimal tests run under. Idempotent and quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' scripts/packages/*.txt | grep -v '^$' | sort -u)

# Packages named NAME:ARCH (32-bit Wine, wine32:i386) need that architecture enabled in dpkg.
update_first=0
for arch in $(printf '%s\n' "${packages[@]}" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u); do
  if [ "$arch" != "$(dpkg --print-architecture)" ] &&
     ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "Adding the $arch architecture"
    $sudo dpkg --add-architecture "$arch"
    update_first=1
  fi
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
elif [ "$update_first" -eq 1 ]; then
  $sudo apt-get update -qq
fi

# A German locale writes numbers with a decimal comma: the tests prove that nothing the program
# reads or writes changes under it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -q '^# *de_DE.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
