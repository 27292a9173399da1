# Thin wrapper around CMake. `make run` plays; `make test` installs, builds and runs
# every unit and e2e test of the ordinary build; `make ci` is everything CI runs.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
# The clang build of the libFuzzer programs, and how long each of them runs.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
# Wall-clock minutes of the soak.
SOAK_MINUTES ?= 60

.PHONY: all deps configure build data run check test ci bench sanitize fuzz soak clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

data: configure
	cmake --build $(BUILD) -j $(JOBS) --target data_tree

run: build
	cd $(BUILD) && ./vexmoor

# Every test, unit and e2e; the e2e tests start their own Xvfb servers.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The newcomer's test command: the whole CTest suite of the ordinary build (`check`
# installs the packages and builds first).
test: check

# What CI runs: the tests, the same tests under ASan and UBSan, every fuzz target
# for 20 seconds and a two-minute soak.
ci:
	$(MAKE) check
	$(MAKE) sanitize
	$(MAKE) fuzz FUZZ_SECONDS=20
	$(MAKE) soak SOAK_MINUTES=2

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	cd $(BUILD) && ./bench/run-benchmarks

# The whole test suite built with AddressSanitizer and UBSan in build-asan/.
sanitize:
	$(MAKE) check BUILD=build-asan CMAKE_FLAGS=-DVEXMOOR_SANITIZE=ON

# Every fuzz target for FUZZ_SECONDS; findings are copied to tests/corpus/.
fuzz: data
	scripts/fuzz --seconds $(FUZZ_SECONDS) --build $(BUILD) --fuzz-build $(FUZZ_BUILD)

# The Arena map played headless with seeded random input for SOAK_MINUTES, its
# memory sampled each minute (scripts/soak).
soak: data
	cmake --build $(BUILD) -j $(JOBS) --target vexmoor-soft
	scripts/soak --minutes $(SOAK_MINUTES) --build $(BUILD)

clean:
	rm -rf $(BUILD)

# Installs the game under $(PREFIX): programs in $(PREFIX)/games, the Data tree in
# $(PREFIX)/share/games/vexmoor, mapc and artgen in $(PREFIX)/bin (cmake/Install.cmake);
# DESTDIR=DIR stages the same tree under DIR.
PREFIX ?= /usr/local
.PHONY: install package

install: configure
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# The Debian packages of the same files under /usr: $(BUILD)/vexmoor_VERSION_ARCH.deb (the game)
# and $(BUILD)/vexmoor-tools_VERSION_ARCH.deb (mapc, artgen).
package: configure
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target package
