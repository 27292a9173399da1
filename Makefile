# Thin wrapper around CMake. `make run` plays, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps configure build run test bench sanitize clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./vexmoor

# Every test, unit and e2e; the e2e tests start their own Xvfb servers.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	cd $(BUILD) && ./bench/run-benchmarks

# The whole test suite built with AddressSanitizer and UBSan in build-asan/.
sanitize:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS=-DVEXMOOR_SANITIZE=ON

clean:
	rm -rf $(BUILD)
