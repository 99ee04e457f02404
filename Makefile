# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   installs what is missing, configures, builds and starts the program
#   make test  the same, then runs every test headless
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test package fresh-check bench sanitize fuzz soak pictures icons clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/tavi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# A Debian package of the program, made by CPack: $(BUILD_DIR)/tavi_VERSION_ARCH.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

# The README's commands on a fresh Debian 12 root, then the package installed and started
# there; see scripts/fresh-check.sh.
fresh-check:
	bash scripts/fresh-check.sh

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_DIR ?= build-sanitize
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DTAVI_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/bench/tavi_bench

# libFuzzer targets of the number texts and station files, built with clang into build-fuzz/;
# each runs for FUZZ_SECONDS (60) and any broken property fails the target.
fuzz: deps
	bash fuzz/run.sh

# The monkey test at length: SOAK_EVENTS (200000) random actions per window under each seed
# of SOAK_SEEDS (1 2 3); a failure names its seed and event, and stops the soak. A window's run
# may take longer than QtTest's five minutes: the soak allows a day.
soak: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target monkey_monkey
	for seed in $${SOAK_SEEDS:-1 2 3}; do \
		echo "monkey: seed $$seed"; \
		QT_QPA_PLATFORM=offscreen TAVI_MONKEY_SEED=$$seed \
			TAVI_MONKEY_EVENTS=$${SOAK_EVENTS:-200000} QTEST_FUNCTION_TIMEOUT=86400000 \
			./$(BUILD_DIR)/tests/monkey_monkey randomActionsLeaveEveryWindowWorking || exit 1; \
	done

# Draws the program's pictures again into resources/pictures, with tools/make_pictures.cpp.
pictures: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target make_pictures
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/tools/make_pictures resources/pictures

# Draws the package's icons again into packaging/icons, with tools/make_icon.cpp.
icons: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target make_icon
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/tools/make_icon packaging/icons

clean:
	rm -rf $(BUILD_DIR)
