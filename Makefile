# The two commands of the README: `make run` and `make test`. Both install what is missing and build.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
# Every benchmark under bench/, by its file name.
BENCHES   := $(basename $(notdir $(wildcard bench/bench_*.cpp)))
DEMO_DIR  ?= demo
QUELT_DEMO_DIR ?= demo-quelt
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Warnings are errors in CI (which sets CI); WERROR=ON does the same on a developer's machine.
WERROR ?= $(if $(CI),ON,OFF)

.PHONY: all deps configure build test test-asan check-format run run-quelt bench screenshots clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) \
		-DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j2

# Every C++ file as the project's .clang-format writes it (CI runs this first).
check-format: deps
	@bash scripts/check-format

# The same suite under the address and undefined-behaviour sanitizers, in a build folder of its own.
test-asan: deps
	@test -f $(ASAN_DIR)/build.ninja || cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEMLO_SANITIZE=ON \
		-DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)
	cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && ctest --output-on-failure -j2

# The program runs from a folder of its own with a demo database, so the delivered empty database next to
# the build stays untouched. Without a display the overview is printed instead.
run: build
	@mkdir -p $(DEMO_DIR)
	@cp $(BUILD_DIR)/Zemlo2024 $(BUILD_DIR)/Zemlo2024.CHM $(DEMO_DIR)/
	@test -f $(DEMO_DIR)/Zemlo2024.mdb || $(BUILD_DIR)/zemlo-cli demo $(DEMO_DIR)/Zemlo2024.mdb
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(DEMO_DIR)/Zemlo2024; \
	else \
		echo "Geen beeldscherm gevonden (DISPLAY is leeg); het overzicht van de demodatabase:"; \
		$(BUILD_DIR)/zemlo-cli overzicht --db $(DEMO_DIR)/Zemlo2024.mdb; \
	fi

# The program in payroll mode, in a folder of its own with a demo database and the payroll database it links
# (both made once by zemlo-cli demo --quelt): the start-up offers the wage sum import and the "Functies" menu
# holds the payroll functions. Without a display the wage sum import runs and the overview is printed.
run-quelt: build
	@mkdir -p $(QUELT_DEMO_DIR)
	@cp $(BUILD_DIR)/Zemlo2024 $(BUILD_DIR)/Zemlo2024.CHM $(QUELT_DEMO_DIR)/
	@test -f $(QUELT_DEMO_DIR)/Zemlo2024.mdb || $(BUILD_DIR)/zemlo-cli demo $(QUELT_DEMO_DIR)/Zemlo2024.mdb --quelt
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(QUELT_DEMO_DIR)/Zemlo2024 -quelt_start; \
	else \
		echo "Geen beeldscherm gevonden (DISPLAY is leeg); de loonsommen worden geïmporteerd, het overzicht:"; \
		$(BUILD_DIR)/zemlo-cli importeer-loonsommen --db $(QUELT_DEMO_DIR)/Zemlo2024.mdb && \
		$(BUILD_DIR)/zemlo-cli overzicht --db $(QUELT_DEMO_DIR)/Zemlo2024.mdb; \
	fi

# Screenshots of the main window and the service information on the demo database, under Xvfb.
screenshots: build
	@mkdir -p $(DEMO_DIR)
	@test -f $(DEMO_DIR)/Zemlo2024.mdb || $(BUILD_DIR)/zemlo-cli demo $(DEMO_DIR)/Zemlo2024.mdb
	xvfb-run -a -s "-screen 0 1280x900x24" $(BUILD_DIR)/screenshot_windows $(DEMO_DIR) docs/screenshots

bench: configure
	cmake --build $(BUILD_DIR) --target $(BENCHES)
	@failed=0; for b in $(BENCHES); do echo "== $$b"; $(BUILD_DIR)/$$b || failed=1; done; exit $$failed

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
