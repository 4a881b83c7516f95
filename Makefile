# The two commands players and developers need: `make play` and `make test`.
# Both install the Debian packages the project needs, then build with CMake.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
BUILD_WINDOWS ?= build-windows
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 60
PREFIX     ?= /usr/local

.PHONY: play test deps build build-asan bench fuzz shots clean format
.PHONY: install uninstall package windows deps-windows

play: build
	$(BUILD)/src/zorbulant $(ARGS)

test: build build-asan windows
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD_WINDOWS) --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-short

# The figures of BENCHMARKS.md: the benchmarks, then the desktop's frame pacing
# under a virtual X server.
bench: build
	$(BUILD)/bench/zorbulant_bench
	bench/desktop_pacing.sh $(BUILD)/src/zorbulant

# Screenshots of the menus, the first mission and the sprites in $(BUILD)/shots,
# to see the pictures as a player does.
shots: build
	scripts/make-shots.sh $(BUILD)

# The fuzz targets, NAME_fuzz each, and their seeds in fuzz/corpus/CORPUS,
# where CORPUS is the name but for the GIF decoder's.
FUZZERS      = gif_decoder level_run settings_parser sample_loader input_script demo_parser
fuzz_corpus  = $(if $(filter gif_decoder,$(1)),gif,$(1))
FUZZ_TIMEOUT ?= 30
FUZZ_CORPUS  ?= $(BUILD_FUZZ)/corpus

.PHONY: fuzz-build fuzz-short $(addprefix fuzz-,$(FUZZERS))

# Each fuzzer runs for FUZZ_SECONDS on a copy of its seed corpus in the build
# directory, which keeps what it finds from one run to the next. A crash, a
# sanitizer report, a leak or an input that takes longer than FUZZ_TIMEOUT
# seconds stops it and fails the build; the input is written to
# $(BUILD_FUZZ)/NAME-crash-... (or -leak-, -timeout-).
fuzz: $(addprefix fuzz-,$(FUZZERS))

$(addprefix fuzz-,$(FUZZERS)): fuzz-%: fuzz-build
	mkdir -p $(FUZZ_CORPUS)/$(call fuzz_corpus,$*)
	cp fuzz/corpus/$(call fuzz_corpus,$*)/* $(FUZZ_CORPUS)/$(call fuzz_corpus,$*)/
	$(BUILD_FUZZ)/fuzz/$*_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=$(FUZZ_TIMEOUT) \
	  -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/$*- \
	  $(FUZZ_CORPUS)/$(call fuzz_corpus,$*)

# The libraries and the fuzzers only: no program, tests, benchmarks or
# content tools. The level-run fuzzer plays on the native build's data pack.
fuzz-build: build $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(addsuffix _fuzz,$(FUZZERS))

# The short pass of `make test`: 30 seconds for each fuzzer, from its seeds
# alone, so that the pass takes as long however much earlier runs found. The
# fuzzers run side by side, one to a core; each one's output is shown whole
# when it ends.
fuzz-short: fuzz-build
	rm -rf $(BUILD_FUZZ)/corpus-short
	$(MAKE) -j $(JOBS) --output-sync=target fuzz FUZZ_SECONDS=30 \
	  FUZZ_CORPUS=$(BUILD_FUZZ)/corpus-short

deps:
	@scripts/install-deps.sh

deps-windows:
	@scripts/install-deps.sh windows

# The Windows build, cross-compiled with mingw-w64: zorbulant.exe, its sound
# library SNDLIB11.DLL with music from a libxmp built from Debian's source
# package, and $(BUILD_WINDOWS)/zorbulant-VERSION-windows-x64.zip with the
# data pack of the native build. Its tests run under Wine.
windows: build deps-windows $(BUILD_WINDOWS)/build.ninja
	cmake --build $(BUILD_WINDOWS) -j $(JOBS)

$(BUILD_WINDOWS)/build.ninja: | deps-windows
	scripts/build-libxmp-mingw.sh $(BUILD_WINDOWS)/libxmp
	cmake -S . -B $(BUILD_WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DZORBULANT_XMP_PREFIX=$(abspath $(BUILD_WINDOWS))/libxmp \
	  -DZORBULANT_DATA_PACK=$(abspath $(BUILD))/data \
	  -DZORBULANT_NATIVE_PROGRAM=$(abspath $(BUILD))/src/zorbulant

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
	  -DZORBULANT_FUZZ=ON -DZORBULANT_TESTS=OFF -DZORBULANT_BENCH=OFF \
	  -DZORBULANT_FUZZ_DATA_PACK=$(abspath $(BUILD))/data $(CMAKE_ARGS)

# Installing from source: the game, the level tools, the data pack, the
# desktop entry, icons and manual pages under $(PREFIX), or staged below
# $(DESTDIR). `make uninstall` removes what the last install put down.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# The Debian package, $(BUILD)/zorbulant_VERSION_ARCH.deb, for
# `apt install ./zorbulant_*.deb`.
package: build
	cd $(BUILD) && cpack --config CPackConfig.cmake

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_WINDOWS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
