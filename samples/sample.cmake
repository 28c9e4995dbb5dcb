# sample.cmake: builds a library, a program and its tests, an example of CMake.
cmake_minimum_required(VERSION 3.20)
project(wordcount VERSION 1.2.0 LANGUAGES C CXX)

#[[ A bracket comment spans lines:
    everything up to the closing brackets is a comment,
    also "quotes" and ${variables}. ]]

option(WORDCOUNT_TESTS "Build the tests" ON)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()

add_library(wordcount STATIC
  src/count.cpp
  src/split.cpp)
target_include_directories(wordcount PUBLIC
  $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:include>)
target_compile_options(wordcount PRIVATE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra>
  $<$<CXX_COMPILER_ID:MSVC>:/W4>)

add_executable(wc-tool src/main.cpp)
target_link_libraries(wc-tool PRIVATE wordcount)

set(USAGE [=[
Usage: wc-tool [--sort] FILE...
  Counts words; "quotes" and ]] stay inside this bracket string.
]=])
configure_file(src/usage.h.in usage.h @ONLY)

function(add_word_test name input expected)
  add_test(NAME ${name}
           COMMAND wc-tool "${CMAKE_CURRENT_SOURCE_DIR}/tests/${input}")
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "^${expected}[ \t\r\n]*$")
endfunction()

if(WORDCOUNT_TESTS)
  enable_testing()
  add_word_test(empty empty.txt 0)
  add_word_test(words words.txt 42)   # a comment after a command
endif()

install(TARGETS wordcount wc-tool
        RUNTIME DESTINATION bin
        ARCHIVE DESTINATION lib)
message(STATUS "wordcount ${PROJECT_VERSION}: tests ${WORDCOUNT_TESTS}")
