# The two commands of the README: `make run` and `make test`. Both install what is missing
# first (Debian packages, as root), so they work on a fresh Debian 12 machine.
.PHONY: run test setup native sanitize fuzz windows bench clean

JOBS ?= $(shell nproc)

# Installs the packages once; the stamp is removed by `make clean`.
setup: build/.setup-done
build/.setup-done: tools/setup.sh
	bash tools/setup.sh
	mkdir -p build && touch $@

native: setup
	cmake --preset native
	cmake --build --preset native -j $(JOBS)

sanitize: setup
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)

# libFuzzer targets; in `make test` each runs for ZQ_FUZZ_SECONDS (60) from its corpus.
fuzz: setup
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

windows: setup
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

test: native sanitize fuzz windows
	ctest --preset native
	ctest --preset sanitize
	ctest --preset fuzz
	tools/with-display.sh ctest --preset windows

bench: native
	build/native/bench/listing_bench

run: windows
	tools/run-program.sh

clean:
	rm -rf build
