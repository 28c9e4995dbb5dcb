# Small helpers shared by every folder's CMakeLists.txt.
include_guard(GLOBAL)

# GoogleTest: the system package natively, built from Debian's sources when
# cross-compiling (MinGW has no prebuilt gtest).
macro(vorel_setup_googletest)
  if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(VOREL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
    add_subdirectory(${VOREL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
      add_library(GTest::gmock ALIAS gmock)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endmacro()

# vorel_add_test(<name> SOURCES <files...> [LIBS <libs...>] [GUI])
# One GoogleTest executable; GUI tests share the X display, so they never run
# in parallel with each other.
function(vorel_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(TARGET vorel_data)
    add_dependencies(${name} vorel_data)
  endif()
  set(props TIMEOUT 300)
  if(T_GUI)
    list(APPEND props RESOURCE_LOCK x11_desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${props})
endfunction()

# Copies data/ (config.ini, option.ini, keyword files) next to the executables.
function(vorel_copy_data)
  set(src ${CMAKE_SOURCE_DIR}/data)
  file(GLOB_RECURSE data_files CONFIGURE_DEPENDS ${src}/*)
  set(outputs)
  foreach(f ${data_files})
    file(RELATIVE_PATH rel ${src} ${f})
    set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${rel})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${out}
      DEPENDS ${f} VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(vorel_data ALL DEPENDS ${outputs})
endfunction()
