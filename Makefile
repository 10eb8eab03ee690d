# make run | make test | make golden | make bench | make sanitize | make fuzz
# Each target first installs what is missing (Debian 12, apt-get through
# sudo when not root), then configures and builds with CMake.

BUILD_DIR    ?= build
SAN_DIR      ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
WERROR       ?= OFF
JOBS         ?= $(shell nproc)

PACKAGES := g++ cmake make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgtest-dev libbenchmark-dev \
            clang libclang-rt-14-dev libboost-dev fonts-liberation2 locales qt6-translations-l10n
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps build run test golden bench sanitize fuzz clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
	@# The tests read numbers under an Italian locale too.
	@locale -a 2>/dev/null | grep -qix 'it_IT.utf8' || $(SUDO) localedef -i it_IT -c -f UTF-8 it_IT.UTF-8

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DRLC_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/rlc-parallelo

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Rewrites the reference images of the window tests (tests/images/*.png)
# from what the windows show now. Look at every changed image before
# committing it.
golden: build
	cd $(BUILD_DIR) && RLC_WRITE_IMAGES=1 QT_QPA_PLATFORM=offscreen ctest -R window --output-on-failure

bench: build
	./$(BUILD_DIR)/bench/simulation_bench
	./$(BUILD_DIR)/bench/window_bench

sanitize: deps
	cmake -S . -B $(SAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DRLC_SANITIZE=ON -DRLC_WERROR=$(WERROR)
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DRLC_FUZZ=ON -DRLC_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus
	./$(FUZZ_DIR)/fuzz/field_check_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=256 \
	  -timeout=10 -print_final_stats=1 $(FUZZ_DIR)/corpus fuzz/corpus

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR)
