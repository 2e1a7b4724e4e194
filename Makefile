# The two commands of the README: `make run` and `make test`. Both install what is missing and build.
BUILD_DIR ?= build
DEMO_DIR  ?= demo
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2

# The program runs on a demo database in a folder of its own, so the delivered empty database stays untouched.
run: build
	@mkdir -p $(DEMO_DIR)
	@test -f $(DEMO_DIR)/Zemlo2024.mdb || $(BUILD_DIR)/zemlo-cli demo $(DEMO_DIR)/Zemlo2024.mdb
	$(BUILD_DIR)/zemlo-cli overzicht --db $(DEMO_DIR)/Zemlo2024.mdb

bench: configure
	cmake --build $(BUILD_DIR) --target bench_overview
	$(BUILD_DIR)/bench_overview

clean:
	rm -rf $(BUILD_DIR)
