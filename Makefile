# Entry points for a fresh machine: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DYAV_WERROR=ON
endif

.PHONY: all deps build run test e2e fuzz bench clean

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

fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DYAV_FUZZ=ON
	cmake --build build-fuzz -j2
	bash tests/fuzz/run-all.sh build-fuzz $${FUZZ_SECONDS:-60}

bench: build
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-fuzz
