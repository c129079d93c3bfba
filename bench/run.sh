#!/usr/bin/env bash
# Builds the benchmarks in Release and prints medians and ratios against the targets.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in libbenchmark-dev python3; do
    dpkg -s "$p" >/dev/null 2>&1 || { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo; $sudo apt-get install -y -qq "$p"; }
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKEMU1_BENCH=ON >/dev/null
cmake --build build-release -j"$(nproc)" --target bench_practice bench_startup >/dev/null
out=build-release/bench
export QT_QPA_PLATFORM=offscreen
build-release/bench/bench_practice --benchmark_repetitions=7 --benchmark_format=json >"$out/practice.json" 2>/dev/null
build-release/bench/bench_startup --benchmark_repetitions=5 --benchmark_format=json >"$out/startup.json" 2>/dev/null
python3 bench/table.py "$out/practice.json" "$out/startup.json"
