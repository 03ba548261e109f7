# Front door over CMake. `make run` builds and starts the game, `make test` runs every test.
BUILD ?= build
GAME_DIR := $(BUILD)/game
JOBS ?= $(shell nproc)

.PHONY: all deps configure build stage run test install clean

all: build

deps:
	@bash tools/scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

stage: build
	@cmake --build $(BUILD) --target stage -j $(JOBS)

run: stage
	cd $(GAME_DIR) && ./VanteroVista

test: build
	@cmake --build $(BUILD) --target graphics -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: stage
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD)
