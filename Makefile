# make run   builds Valdorine and starts it on the shipped data
# make test  builds everything and runs every test (unit, GUI offscreen,
#            sanitizers, short fuzz runs)

JOBS       ?= $(shell nproc)
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-main test-asan test-fuzz bench clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program finds "data" in its current directory: start it from here.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target Valdorine
	./$(BUILD)/bin/Valdorine

test: test-main test-asan test-fuzz

test-main: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVALDORINE_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALDORINE_SANITIZE=ON \
	  -DVALDORINE_BENCH=OFF -DVALDORINE_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	  ctest -j $(JOBS) --output-on-failure -LE bench

test-fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DVALDORINE_FUZZ=ON -DVALDORINE_GUI=OFF -DVALDORINE_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	cd $(FUZZ_BUILD) && ctest -j $(JOBS) --output-on-failure -L fuzz

# Repetitions in random order, so that a busy machine does not favour the
# benchmark that happens to run first; figures are the medians.
BENCH_FLAGS ?= --benchmark_enable_random_interleaving=true --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true

bench: configure
	cmake --build $(BUILD) -j $(JOBS)
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b $(BENCH_FLAGS); done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
