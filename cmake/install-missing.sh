#!/usr/bin/env bash
# Installs with apt-get the Debian packages whose commands or files are missing.
# Each argument is PROBE:PACKAGE, where PROBE is a command name or an absolute path (a glob).
set -euo pipefail
need=()
for pair in "$@"; do
    probe=${pair%%:*} package=${pair#*:}
    if [[ $probe == /* ]]; then
        compgen -G "$probe" >/dev/null || need+=("$package")
    else
        command -v "$probe" >/dev/null || need+=("$package")
    fi
done
if [ ${#need[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
