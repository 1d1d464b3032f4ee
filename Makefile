# Thin wrapper over CMake.
#   make run    build and play
#   make edit   build and start the level editor
#   make test   build, run every test, the sanitizer run of the unit tests and a short fuzz run
#   make fuzz   a long fuzz run; make bench  the benchmarks
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 15

.PHONY: deps build run edit test unit-tests sanitize fuzz-build fuzz-smoke fuzz bench clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/Velorune

edit: build
	$(BUILD)/bin/VeloruneEdit

test: unit-tests sanitize fuzz-smoke

unit-tests: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The unit tests (the game's, the world's and the editor's logic) again under AddressSanitizer
# and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELORUNE_SANITIZE=ON
	cmake --build build-asan -j $(JOBS) --target velorune_tests velorune_world_tests velorune_editor_tests fuzz_replays
	ctest --test-dir build-asan --output-on-failure -j $(JOBS) -E '^(smoke|velorune_render|velorune_editor_qt)'

# The libFuzzer targets (tests/fuzz) under both sanitizers, seeded from the assets of $(BUILD).
fuzz-build: build
	@grep -qs VELORUNE_FUZZ build-fuzz/CMakeCache.txt || rm -rf build-fuzz  # an older standalone fuzz build
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELORUNE_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets

# Every target for FUZZ_SECONDS, JOBS of them at a time; the grown corpora stay in build-fuzz.
fuzz-smoke: fuzz-build
	tests/fuzz/run.sh fuzz build-fuzz/tests/fuzz $(BUILD)/bin $(FUZZ_SECONDS) $(JOBS) build-fuzz

fuzz: FUZZ_SECONDS = 600
fuzz: fuzz-smoke

# The frame benchmarks run under a virtual X server of the larger mode's size, as the game runs
# on X; glxgears (Debian's mesa-utils) is measured in the same server. BENCH=quick shortens them.
# BENCH_BEFORE=<program folder> measures an earlier build's game start-up, idle game, menu keys
# and editor, the editor's start-up, memory and viewport, and both programs on grown files, in
# the same runs as this one's.
XBENCH = SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24"
BENCH_BEFORE ?=
bench: build
	$(BUILD)/tools/bench_levels $(BUILD)/bin/levels.dat
	$(BUILD)/tools/bench_collision $(BUILD)/bin/levels.dat $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_world $(BUILD)/bin 1 $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_world $(BUILD)/bin 2 $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_startup $(BUILD)/tools/floor_first_frame $(BUILD)/bin $(BENCH_BEFORE) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_pacing $(BUILD)/bin tests/replays/level01.keys
	@echo "== the same with an empty shader cache"
	MESA_SHADER_CACHE_DISABLE=true $(XBENCH) $(BUILD)/tools/bench_pacing $(BUILD)/bin tests/replays/level01.keys
	$(XBENCH) $(BUILD)/tools/bench_idle $(BUILD)/tools/floor_sdl $(BUILD)/bin $(BENCH_BEFORE) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_menu_keys $(BUILD)/bin $(BENCH_BEFORE) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_editor $(BUILD)/bin $(if $(BENCH_BEFORE),--before $(BENCH_BEFORE)) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_editor_startup $(BUILD)/bin $(if $(BENCH_BEFORE),--before $(BENCH_BEFORE)) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_editor_memory $(BUILD)/bin $(if $(BENCH_BEFORE),--before $(BENCH_BEFORE)) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_editor_view $(BUILD)/bin $(if $(BENCH_BEFORE),--before $(BENCH_BEFORE)) $(BENCH)
	$(XBENCH) $(BUILD)/tools/bench_big_files $(BUILD)/bin $(if $(BENCH_BEFORE),--before $(BENCH_BEFORE)) $(BENCH)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
