#!/usr/bin/env bash
# Runs the RTF fuzz target for the given number of seconds (default 60).
#   tests/fuzz/run_fuzz.sh SECONDS [BUILD_DIR] [libFuzzer flags...]
# BUILD_DIR is a build configured with clang and -DKV_FUZZ=ON (default: build-fuzz in the repository,
# made with the "fuzz" preset of CMakePresets.json).
# Seeds are the shared RTF corpus and the reader's regression inputs; new findings
# are written to BUILD_DIR/fuzz-artifacts. Keep any crash as a regression input in
# tests/platform/richtext/regressions/.
set -euo pipefail
seconds="${1:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="${2:-$repo/build-fuzz}"
shift $(( $# > 2 ? 2 : $# ))

if [[ ! -d "$build" ]]; then
  if [[ "$build" == "$repo/build-fuzz" ]]; then
    (cd "$repo" && cmake --preset fuzz)
  else
    CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DKV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
fi
cmake --build "$build" --target fuzz_rtf_reader -j2

fuzzer="$(find "$build" -type f -name fuzz_rtf_reader -perm -u+x | head -n1)"
work="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$work" "$artifacts"

seeds=()
[[ -d "$repo/../shared/rtf-corpus" ]] && seeds+=("$repo/../shared/rtf-corpus")
[[ -d "$repo/tests/platform/richtext/regressions" ]] && seeds+=("$repo/tests/platform/richtext/regressions")
# libFuzzer reads seed folders but not their subfolders.
[[ -d "$repo/../shared/rtf-corpus/adversarial" ]] && seeds+=("$repo/../shared/rtf-corpus/adversarial")

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$repo/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec nice -n 10 "$fuzzer" "$work" "${seeds[@]}" \
  -dict="$here/rtf.dict" -max_total_time="$seconds" -max_len=262144 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/" -print_final_stats=1 "$@"
