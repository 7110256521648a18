#!/usr/bin/env bash
# Installs what Sorvelin needs from Debian's packages and builds it in ./build.
# Extra arguments go to the CMake configure step (for example -DSORVELIN_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")"

# clang and its runtime libraries build the fuzz targets (tests/fuzz/run.sh).
# GMP gives the exact big integers of homology and of the quantum invariants.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgmp-dev
          clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

build_dir=${SORVELIN_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir"
