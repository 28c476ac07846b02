# The two commands of the README: `make demo` and `make test`. Both install what is missing first.
SHELL := /bin/sh
FUZZ_SECONDS ?= 30
FUZZ_LONG_SECONDS ?= 600

.PHONY: all deps mingw host test test-mingw test-host fuzz fuzz-long share faults demo bench dist clean

all: mingw

deps:
	@sh tools/deps.sh

mingw: deps
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -- --no-print-directory

host: deps
	cmake --preset host >/dev/null
	cmake --build --preset host

test-mingw: mingw
	ctest --preset mingw

test-host: host
	ctest --preset host

fuzz: host
	sh tools/fuzz-all build/host $(FUZZ_SECONDS)

# Each fuzz target for ten minutes, with its executions and findings; not part of make test.
fuzz-long: host
	sh tools/fuzz-all build/host $(FUZZ_LONG_SECONDS)

# The tests' lines against the code's. The rule is at most 40 %, and make test refuses any growth
# beyond it.
SHARE_LIMIT ?= 40
share:
	@sh tools/test-share $(SHARE_LIMIT)

test: test-mingw test-host fuzz share
	@echo "make test: every test passed and the fuzz targets ran $(FUZZ_SECONDS) s each without a finding"

# Applies each deliberate fault of tools/faults/ to a scratch copy and runs the tests against it;
# FAULTS='pattern' picks the faults whose names match.
faults: deps
	sh tools/run-faults $(FAULTS)

demo: mingw
	sh tools/demo build/mingw

# The release: build/dist/qivstart-<version>.zip.
dist: mingw
	sh tools/dist build/mingw build/dist

bench: mingw
	sh tools/bench build/mingw

clean:
	-QIV_BENCH=build/mingw/bench sh tools/winebench stop 2>/dev/null
	rm -rf build
