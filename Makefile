# make run   - install what is missing, build, start Marvolin
# make test  - install what is missing, build, run every test (then the sanitizer build)
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
BENCH_DIR ?= build-bench
NOQT_DIR ?= build-noqt
PACKAGE_DIR ?= build-package
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 180
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps build run test test-sanitize test-noqt test-fuzz fuzz bench install format format-check clean package check-desktop

all: build

deps:
	@scripts/install-deps

build: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DMARVOLIN_BENCH=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/marvolin

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# AddressSanitizer and UndefinedBehaviorSanitizer over the tests that need no display.
test-sanitize: deps
	@[ -f $(SANITIZE_DIR)/CMakeCache.txt ] || cmake -S . -B $(SANITIZE_DIR) $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=Debug -DMARVOLIN_SANITIZE=ON -DMARVOLIN_BUILD_GUI=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# The Qt-free libraries and their tests, configured as on a machine without Qt.
test-noqt: deps
	@[ -f $(NOQT_DIR)/CMakeCache.txt ] || cmake -S . -B $(NOQT_DIR) $(GENERATOR) \
		-DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
	cmake --build $(NOQT_DIR) -j $(JOBS)
	cd $(NOQT_DIR) && ctest --output-on-failure -j $(JOBS)

# Builds the libFuzzer targets with clang and replays their committed corpora.
test-fuzz: deps
	@[ -f $(FUZZ_DIR)/CMakeCache.txt ] || CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) \
		-DMARVOLIN_FUZZ=ON -DMARVOLIN_BUILD_TESTS=OFF -DMARVOLIN_BUILD_GUI=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	cd $(FUZZ_DIR) && ctest --output-on-failure

# Fuzzes every reader for FUZZ_SECONDS (3 minutes unless told) from its seed corpus.
fuzz: test-fuzz
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

# A Debian package of the installed program (Release, stripped) in $(PACKAGE_DIR).
package: deps
	@[ -f $(PACKAGE_DIR)/CMakeCache.txt ] || cmake -S . -B $(PACKAGE_DIR) $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=Release -DMARVOLIN_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB

# For CI: the desktop file, the AppStream metainfo and the man pages through their
# validators, then the package through lintian and installed into a scratch root.
check-desktop: package
	scripts/check-desktop $(PACKAGE_DIR)

# Google Benchmark over the readers, the writer, every effect and the window's paint, in a
# Release build.
bench: deps
	@[ -f $(BENCH_DIR)/CMakeCache.txt ] || cmake -S . -B $(BENCH_DIR) $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=Release -DMARVOLIN_BENCH=ON -DMARVOLIN_BUILD_TESTS=OFF
	cmake --build $(BENCH_DIR) -j $(JOBS)
	$(BENCH_DIR)/bin/readers_bench
	$(BENCH_DIR)/bin/effects_bench
	$(BENCH_DIR)/bin/window_paint_bench
	bench/compare-ffmpeg.sh $(BENCH_DIR)/bin/ffmpeg_formats_bench
	bench/compare-sox.sh $(BENCH_DIR)/bin/marvolin-fx
	bench/compare-batch.sh $(BENCH_DIR)/bin/marvolin-fx

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when a C++ file is not formatted as .clang-format says.
format-check: deps
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(NOQT_DIR) $(FUZZ_DIR) $(BENCH_DIR)
