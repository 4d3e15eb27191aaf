#!/usr/bin/env bash
# Installs those of the named Debian packages that are not installed yet, with
# apt-get as root and through sudo otherwise. Usage: install-packages.sh PACKAGE...
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]})) || exit 0
echo "Installing: ${missing[*]}" >&2
if [[ $(id -u) == 0 ]]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
