#!/usr/bin/env bash
# Installs, builds, writes the sample disc beside the program and starts it on that disc.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
exec build/bin/kelvardo HWI
