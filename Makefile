# The two commands players and developers need: `make play` and `make test`.
# Both install the Debian packages the project needs, then build with CMake.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: play test deps build build-asan bench fuzz shots clean format

play: build
	$(BUILD)/src/zorbulant $(ARGS)

test: build build-asan
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# The figures of BENCHMARKS.md: the benchmarks, then the desktop's frame pacing
# under a virtual X server.
bench: build
	$(BUILD)/bench/zorbulant_bench
	bench/desktop_pacing.sh $(BUILD)/src/zorbulant

# Screenshots of the menus, the first mission and the sprites in $(BUILD)/shots,
# to see the pictures as a player does.
shots: build
	scripts/make-shots.sh $(BUILD)

# The fuzzer works on a copy of the seed corpus in the build directory, which
# keeps what it finds from one run to the next; crashes are written there too.
fuzz: deps $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target gif_decoder_fuzz
	mkdir -p $(BUILD_FUZZ)/corpus/gif
	cp fuzz/corpus/gif/* $(BUILD_FUZZ)/corpus/gif/
	$(BUILD_FUZZ)/fuzz/gif_decoder_fuzz -max_total_time=$(FUZZ_SECONDS) \
	  -artifact_prefix=$(BUILD_FUZZ)/ $(BUILD_FUZZ)/corpus/gif

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

# The sanitizer build uses clang, so the two builds see the code through two
# compilers; clang's sanitizers also catch what gcc's inlining hides.
$(BUILD_ASAN)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORBULANT_SANITIZE=ON $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)

$(BUILD_FUZZ)/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZORBULANT_FUZZ=ON -DZORBULANT_TESTS=OFF -DZORBULANT_BENCH=OFF $(CMAKE_ARGS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
