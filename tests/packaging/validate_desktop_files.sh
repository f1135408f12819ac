#!/usr/bin/env bash
# Validates the menu entries and the AppStream metainfo as installed.
set -euo pipefail
built=$1 source=$2
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate missing: skipped"; exit 77; }
command -v appstreamcli >/dev/null || { echo "appstreamcli missing: skipped"; exit 77; }
for f in "$built"/*.desktop; do
  echo "checking $f"
  desktop-file-validate "$f"
done
appstreamcli validate --no-net "$source"/*.metainfo.xml
