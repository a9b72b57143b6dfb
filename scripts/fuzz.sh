#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one from its committed seed corpus
# (fuzz/PROGRAM/corpus/NAME) for the given number of seconds (default 60), or for a fixed
# number of inputs with a fixed seed when given as runs=N (a repeatable run, as CI wants).
# Findings are left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
length=${1:-60}
only=${2:-}
case "$length" in
  runs=*) budget=(-runs="${length#runs=}" -seed=1) ;;
  *) budget=(-max_total_time="$length") ;;
esac
scripts/install-deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVORLAN_FUZZ=ON -DVORLAN_TESTS=OFF -DVORLAN_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"
mkdir -p build-fuzz/findings
status=0
for target in build-fuzz/fuzz/fuzz_*; do
  name=${target##*/fuzz_}
  [ -n "$only" ] && [ "$name" != "$only" ] && continue
  work=build-fuzz/corpus/$name
  seeds=(fuzz/*/corpus/"$name")
  mkdir -p "$work"
  echo "== $name: $length"
  if ! "$target" "${budget[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix=build-fuzz/findings/"$name"- "$work" "${seeds[0]}" 2>build-fuzz/"$name".log; then
    echo "!! $name found a fault:"; tail -n 40 build-fuzz/"$name".log; status=1
  fi
  grep -E '^stat::number_of_executed_units' build-fuzz/"$name".log || true
done
exit $status
