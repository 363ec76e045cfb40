# Entry points for a fresh machine: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DYAV_WERROR=ON
endif

.PHONY: all deps build run test sanitize-test e2e fuzz bench clean screenshots

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j2

run: build
	$(BUILD)/yav $(wildcard $(BUILD)/examples/demo/demo.s08)

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

# The whole suite built with the address and undefined-behaviour sanitizers in a folder of its
# own; any report fails the run (leaks included).
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0
sanitize-test: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYAV_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j2
	cd build-asan && $(SANITIZE_ENV) ctest --output-on-failure -j2

# Builds the fuzz targets (and the demo program they load) and runs each for FUZZ_SECONDS.
fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DYAV_FUZZ=ON
	cmake --build build-fuzz -j2
	bash tests/fuzz/run-all.sh build-fuzz $${FUZZ_SECONDS:-60}

bench: build
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-asan build-fuzz

# Pictures of a debugging session for the documentation, taken under Xvfb.
screenshots: build
	mkdir -p docs/screenshots
	cd $(BUILD) && QT_QPA_PLATFORM=xcb YAV_SCREENSHOT_DIR=$(CURDIR)/docs/screenshots \
	  YAV_FRAME_SCREENSHOT=$(CURDIR)/docs/screenshots/frame.png \
	  xvfb-run -a -s "-screen 0 1600x1000x24" ./qt_tests --gtest_filter='ScreenshotTest.*:FrameWindowTest.Screenshot'
