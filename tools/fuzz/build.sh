#!/bin/sh
# Builds the libFuzzer harness of the picture, ".gfx" and ".pak" readers against a library built
# with clang and the address and undefined-behaviour sanitizers (not part of the normal build).
#   tools/fuzz/build.sh            # configures and builds build-fuzz/ and build-fuzz/fuzz_readers
#   mkdir corpus && FUZZ_TARGET=pak build-fuzz/fuzz_readers --make-seeds=corpus
#   FUZZ_TARGET=pak build-fuzz/fuzz_readers -max_total_time=300 -rss_limit_mb=4096 corpus
# Targets: png gif jpg gfx pak content.
set -e
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${BUILD:-$SOURCE/build-fuzz}
FLAGS="-O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S "$SOURCE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$FLAGS -fsanitize=fuzzer-no-link" -DCMAKE_C_FLAGS="$FLAGS -fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$BUILD" --target vantero -j2
clang++ -std=c++20 $FLAGS -fsanitize=fuzzer -I"$SOURCE" "$SOURCE/tools/fuzz/fuzz_readers.cpp" \
  "$BUILD/libvantero.a" $(pkg-config --cflags --libs sdl2 SDL2_mixer pugixml icu-uc icu-i18n zlib libpng libjpeg) \
  -lgif -lGL -lpthread -ldl -o "$BUILD/fuzz_readers"
