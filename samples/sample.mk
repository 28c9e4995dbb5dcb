# sample.mk: builds a small C program with tests, an example of a Makefile.
CC      ?= cc
CFLAGS  ?= -O2 -g
CFLAGS  += -std=c11 -Wall -Wextra
LDLIBS  := -lm
PREFIX  ?= /usr/local

SRC     := $(wildcard src/*.c)
OBJ     := $(patsubst src/%.c,build/%.o,$(SRC))
TESTS   := $(wildcard tests/*.c)

.PHONY: all clean install test

all: build/app

build/app: $(OBJ)
	$(CC) $(LDFLAGS) -o $@ $^ $(LDLIBS)

build/%.o: src/%.c | build
	$(CC) $(CFLAGS) -MMD -c -o $@ $<

build:
	mkdir -p $@

# Each test is a separate program linked with everything but main.
test: $(TESTS:tests/%.c=build/test_%)
	@for t in $^; do echo "run $$t"; ./$$t || exit 1; done

build/test_%: tests/%.c $(filter-out build/main.o,$(OBJ))
	$(CC) $(CFLAGS) -Isrc -o $@ $^ $(LDLIBS)

install: build/app
	install -d $(DESTDIR)$(PREFIX)/bin
	install -m 755 build/app $(DESTDIR)$(PREFIX)/bin/app

clean:
	$(RM) -r build

ifeq ($(OS),Windows_NT)
  RM := del /q
endif

-include $(OBJ:.o=.d)
