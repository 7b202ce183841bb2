# Front door: make test | make test-quick | make demo | make bench | make coverage | make mutants | make docs |
# make fuzz.
# Each installs what is missing first.
BUILD := build
X64 := $(BUILD)/x86_64
X86 := $(BUILD)/i686
JOBS ?= $(shell nproc)
# Where `make install` lays out the package (include/, lib/, bin/, lib/cmake/Zrno).
PREFIX ?= $(CURDIR)/$(BUILD)/install

.PHONY: all bootstrap x86_64 i686 test test-quick demo bench install clean coverage mutants docs fuzz

all: x86_64 i686

bootstrap:
	@sh scripts/bootstrap.sh

# The i686 build's tests run under the emulated Wine 10 (scripts/wine10.sh); it has no benchmarks.
$(X86)/build.ninja: | bootstrap
	cmake -S . -B $(X86) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686.cmake -DZRNO_BENCH=OFF

$(X64)/build.ninja: | bootstrap
	cmake -S . -B $(X64) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64.cmake \
	      -DZRNO_I686_DLL=$(CURDIR)/$(X86)/bin/Zrno.dll

i686: bootstrap $(X86)/build.ninja
	ninja -C $(X86) -j$(JOBS)

x86_64: bootstrap $(X64)/build.ninja
	ninja -C $(X64) -j$(JOBS)

# The whole suite of both builds: x86_64 under the host's Wine 8, then i686 and x86_64 again under the
# emulated Wine 10 in the trixie root WINE10_ROOT (built on first use). Ends with one line per suite
# and the totals; fails when any suite does.
WINE10_ROOT ?= /var/cache/zrno/trixie-i386
test: i686 x86_64
	ZRNO_WINE10_ROOT=$(WINE10_ROOT) sh scripts/test.sh $(X64) $(X86)

# Daily work: the x86_64 suite under the host's Wine only (the i686 DLL is built for its import check).
test-quick: x86_64 $(X86)/build.ninja
	ninja -C $(X86) -j$(JOBS) Zrno
	cd $(X64) && ctest --output-on-failure --timeout 900

# Runs a program under the build's prefix with a wineserver started for it, and stops that server
# afterwards whatever the program's outcome, passing the outcome on.
WINE_PREFIX := $(CURDIR)/$(X64)/wineprefix
define under_wine
	sh cmake/wine-prefix.sh start $(WINE_PREFIX)
	$(X64)/wine-run $(1); r=$$?; sh cmake/wine-prefix.sh stop $(WINE_PREFIX); exit $$r
endef

# Fault injection: every scenario of tests/faults with every one of its system calls failed in turn
# (make test runs it as well); prints per scenario its call count K and the functions failed.
.PHONY: faults
faults: export ZRNO_NAPAKE = vse
faults: x86_64
	$(call under_wine,$(X64)/bin/test_faults.exe --gtest_brief=1)

demo: x86_64
	sh scripts/demo.sh $(X64)

install: x86_64
	cmake --install $(X64) --prefix $(PREFIX)

# The reference (Doxygen with Graphviz class diagrams) in $(X64)/docs/html; fails on any Doxygen warning.
# make install copies it to share/doc/zrno/html when it has been built.
docs: bootstrap
	@sh scripts/bootstrap.sh docs
	$(MAKE) --no-print-directory $(X64)/build.ninja
	ninja -C $(X64) docs

bench: x86_64
	ninja -C $(X64) -j$(JOBS) zrno_bench odtis_bench
	@echo "load: $$(cat /proc/loadavg)"
	$(call under_wine,$(X64)/bin/zrno_bench.exe $(FILTER))
	$(call under_wine,$(X64)/bin/odtis_bench.exe $(FILTER))
	sh scripts/bench-host.sh $(X64) "$(FILTER)"

# Line and branch coverage of the library by the whole suite, in a build tree of its own.
coverage: bootstrap
	JOBS=$(JOBS) sh scripts/coverage.sh $(BUILD)/coverage

# Mutation testing: N mutants drawn with SEED, JOBS workers; FOLDERS=strings,util draws from those only,
# ONLY=strings runs only those folders' share of the full sample (comparable with a full run);
# AGAIN=old/results.json runs only that run's survivors (same library, tests only added since).
N ?= 150
SEED ?= 1
mutants: bootstrap
	python3 scripts/mutants.py -n $(N) --seed $(SEED) --jobs $(JOBS) --out $(BUILD)/mutants \
	        $(if $(FOLDERS),--folders $(FOLDERS)) $(if $(ONLY),--only $(ONLY)) \
	        $(if $(AGAIN),--again $(AGAIN))

# The fuzzers, scripts/fuzz/*.py, each for SECONDS from SEED: each prints what it tried and every failure
# with the command that replays it; a short run of each is part of make test.
SECONDS ?= 60
fuzz: x86_64
	@r=0; for f in $$(cd scripts/fuzz && ls *.py); do \
	    python3 scripts/fuzz/$$f --build $(X64) --seconds $(SECONDS) --seed $(SEED) || r=1; \
	done; exit $$r

clean:
	rm -rf $(BUILD)
