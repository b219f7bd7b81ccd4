# Tessaline: `make run` to play, `make test` to check everything.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=
PACKAGE_BUILD ?= build-package
PREFIX ?= /usr/local

.PHONY: all bootstrap build run test test-plain test-asan soak format format-check bench fuzz package-build install deb clean

all: build

bootstrap:
	@bash scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ ! -x $(BUILD)/tessaline ]; then \
	  if grep -q '^TESS_GUI:BOOL=OFF' $(BUILD)/CMakeCache.txt 2>/dev/null; then \
	    echo "make run: $(BUILD) is configured without windows (TESS_GUI=OFF), so there is no program to run; reconfigure with -DTESS_GUI=ON" >&2; \
	  else \
	    echo "make run: $(BUILD)/tessaline was not built" >&2; \
	  fi; \
	  exit 1; \
	fi
	./$(BUILD)/tessaline

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESS_SANITIZE=ON -DTESS_BENCH=OFF $(CMAKE_FLAGS)

test-asan: bootstrap $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The long random sweeps (random play in every game, the solver's moves against the engine's) in
# full under the sanitizers; `make test` runs them smaller there. CI need not run this.
SOAK_TESTS ?= Soak|SolverMatchesEngine
soak: bootstrap $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && TESS_SOAK=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -R '$(SOAK_TESTS)'

# Every tracked C++ source and header, as the repository's .clang-format lays it out.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format: bootstrap
	clang-format -i $(FORMAT_FILES)

format-check: bootstrap
	@clang-format --dry-run -Werror $(FORMAT_FILES) || { echo "make: run 'make format' to lay these files out" >&2; exit 1; }

# The layout is checked first: an unformatted file fails the run before anything is built.
test: format-check
	$(MAKE) test-plain
	$(MAKE) test-asan

bench: bootstrap
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build build-release -j $(JOBS)
	for b in build-release/bench/bench_*; do $$b; done

fuzz: bootstrap
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESS_FUZZ=ON -DTESS_GUI=OFF -DBUILD_TESTING=OFF -DTESS_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)

# What is installed or packaged is a Release build of the program and the CLI alone.
$(PACKAGE_BUILD)/build.ninja:
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTESS_BENCH=OFF $(CMAKE_FLAGS)

package-build: bootstrap $(PACKAGE_BUILD)/build.ninja
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)

# DESTDIR stages the files for a package instead of putting them on this machine.
install: package-build
	DESTDIR=$(DESTDIR) cmake --install $(PACKAGE_BUILD) --prefix $(PREFIX)

deb: package-build
	cd $(PACKAGE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD) build-release build-fuzz
