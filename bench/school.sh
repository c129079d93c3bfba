#!/usr/bin/env bash
# The school's database at scale: builds bench_school in Release and runs it against a
# throwaway PostgreSQL server (about 7 GB in the temporary folder at the full size, a few
# minutes to fill). Arguments: LEARNERS ANSWERS_PER_LEARNER SENDERS (default 2000 20000 200).
set -euo pipefail
cd "$(dirname "$0")/.."
for p in libbenchmark-dev postgresql libqt6sql6-psql; do
    dpkg -s "$p" >/dev/null 2>&1 || { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo; $sudo apt-get install -y -qq "$p"; }
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKEMU1_BENCH=ON >/dev/null
cmake --build build-release -j"$(nproc)" --target bench_school >/dev/null
build-release/bench/bench_school "$@"
