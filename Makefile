# Front door: make test | make demo | make bench. Each installs what is missing first.
BUILD := build
X64 := $(BUILD)/x86_64
X86 := $(BUILD)/i686
JOBS ?= $(shell nproc)

.PHONY: all bootstrap x86_64 i686 test demo bench clean

all: x86_64 i686

bootstrap:
	@sh scripts/bootstrap.sh

$(X86)/build.ninja: | bootstrap
	cmake -S . -B $(X86) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686.cmake

$(X64)/build.ninja: | bootstrap
	cmake -S . -B $(X64) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64.cmake \
	      -DZRNO_I686_DLL=$(CURDIR)/$(X86)/bin/Zrno.dll

i686: bootstrap $(X86)/build.ninja
	ninja -C $(X86) -j$(JOBS)

x86_64: bootstrap $(X64)/build.ninja
	ninja -C $(X64) -j$(JOBS)

test: i686 x86_64
	cd $(X64) && ctest --output-on-failure --timeout 900

# Runs a program under the build's prefix with a wineserver started for it, and stops that server
# afterwards whatever the program's outcome, passing the outcome on.
PREFIX := $(CURDIR)/$(X64)/wineprefix
define under_wine
	sh cmake/wine-prefix.sh start $(PREFIX)
	$(X64)/wine-run $(1); r=$$?; sh cmake/wine-prefix.sh stop $(PREFIX); exit $$r
endef

demo: x86_64
	$(call under_wine,$(X64)/bin/zrno.exe version)

bench: x86_64
	$(call under_wine,$(X64)/bin/zrno_bench.exe $(FILTER))
	sh scripts/bench-host.sh $(X64) "$(FILTER)"

clean:
	rm -rf $(BUILD)
