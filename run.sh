#!/usr/bin/env bash
# Installs what is missing, builds a Release build into build/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DDIVISION_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target schriftliche-division
exec ./build/app/schriftliche-division "$@"
