# Quick start: `make demo` runs prjsnap on the embedded sample, `make test` runs the test suite.
# Both install the Debian packages they need when missing, configure and build incrementally.

PACKAGES := cmake ninja-build g++ lld ccache pkg-config libpugixml-dev libcli11-dev libicu-dev \
            libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev locales-all python3 time \
            libcairo2-dev libpango1.0-dev fonts-dejavu-core poppler-utils
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
PRJSNAP := build/apps/prjsnap/prjsnap
FUZZ_SECONDS ?= 600

.PHONY: deps configure build demo test test-sanitize bench fuzz fuzz-campaign format clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default

demo: build
	$(PRJSNAP) lifecycle
	$(PRJSNAP) tree
	$(PRJSNAP) details
	$(PRJSNAP) print
	@# The sample PLC differs from the sample project on purpose: compare says so with exit code 1.
	$(PRJSNAP) compare || [ $$? -eq 1 ]

test: build
	ctest --preset default

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	build-bench/bench/mz_bench

fuzz: deps
	$(SUDO) apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
	cmake --preset fuzz
	cmake --build --preset fuzz

# Every target for FUZZ_SECONDS seconds, one after the other; what they learn goes into
# fuzz/corpus/, findings stay under build-fuzz/campaign/.
fuzz-campaign: fuzz
	fuzz/campaign.sh build-fuzz $(FUZZ_SECONDS)

format:
	find platform mzblprsx host apps tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-bench build-fuzz
