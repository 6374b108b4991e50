# Precompiled headers for a faster build. Most of the compile time of a widget
# file goes into parsing the Qt Widgets and QCustomPlot headers (about 300,000
# lines, since the plot header pulls in the whole print-support module), and
# most of a test file's into the test framework; half of a plain C++ file's
# goes into the standard library's headers. Each group of headers is
# compiled once, by a small carrier target, and every target of that kind
# reuses the result.
#
# GCC only: a GCC precompiled header is valid only where position-independent
# code is generated the same way, so libraries and executables have carriers
# of their own. A target for which the compiler finds the header invalid
# parses the headers instead, so a mismatch costs time, never correctness.

option(MORAVEL_PCH "Use precompiled headers (GCC)" ON)

set(_moravel_pch_plot <qcustomplot.h> <QtWidgets> <string> <vector> <memory> <functional> <algorithm>)
set(_moravel_pch_tests <gtest/gtest.h> <gmock/gmock.h> <string> <vector> <memory> <functional> <algorithm>)
set(_moravel_pch_std <algorithm> <array> <atomic> <chrono> <cmath> <cstdint> <cstring> <functional> <limits>
    <memory> <mutex> <optional> <span> <stdexcept> <string> <string_view> <utility> <vector>)

function(_moravel_pch_carrier name type libraries headers)
  if(type STREQUAL "EXECUTABLE")
    add_executable(${name} EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/cmake/pch/CarrierMain.cpp)
  else()
    add_library(${name} STATIC EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/cmake/pch/CarrierMain.cpp)
  endif()
  target_link_libraries(${name} PRIVATE ${libraries})
  target_precompile_headers(${name} PRIVATE ${headers})
endfunction()

# A carrier for test programs only. Where tests/ compiles the tests without
# optimization (MORAVEL_TEST_PCH_OPTIONS), their headers are precompiled the
# same way: GCC rejects a header precompiled with optimization in a file
# compiled without it, and would parse the headers again in every file.
function(_moravel_pch_test_carrier name libraries headers)
  _moravel_pch_carrier(${name} EXECUTABLE "${libraries}" "${headers}")
  get_property(options GLOBAL PROPERTY MORAVEL_TEST_PCH_OPTIONS)
  target_compile_options(${name} PRIVATE ${options})
endfunction()

# True when `target` links a library whose name matches `pattern`, directly or
# through the project's own libraries.
function(_moravel_links target pattern result)
  get_target_property(type ${target} TYPE)
  set(links "")
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND links ${direct})
    endif()
  endif()
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND links ${interface})
  endif()
  foreach(link IN LISTS links)
    if(link MATCHES "${pattern}")
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
    if(NOT link MATCHES "::" AND TARGET ${link})
      _moravel_links(${link} "${pattern}" found)
      if(found)
        set(${result} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

function(_moravel_all_targets directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _moravel_all_targets(${subdirectory} nested)
    list(APPEND targets ${nested})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The tests' classes that need moc are in their .cpp files, which include
# their moc output themselves, so a test's moc collection file is empty; only
# loading the plot header (300 MB) would take its compile time.
function(_moravel_skip_empty_moc_file target)
  get_target_property(automoc ${target} AUTOMOC)
  if(automoc)
    get_target_property(binary_dir ${target} BINARY_DIR)
    set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
      TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()

# A source compiled with options of its own (another instruction set) would
# find the header invalid; it parses its headers without the warning.
function(_moravel_skip_sources_with_own_options target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir})
    get_source_file_property(options ${source} TARGET_DIRECTORY ${target} COMPILE_OPTIONS)
    if(options)
      set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()

# Gives every library and executable that draws plots, and every other test
# executable, the precompiled headers of its kind. Plot targets compile with
# the same Qt module macros as their carrier (the print-support module among
# them), which the header requires; a test that links Qt is compiled as
# position-independent code (Qt asks for it), one that does not is not. The
# other libraries and programs get the standard headers, those that link Qt
# from a carrier that links QtCore, which makes it position-independent too,
# and one more for the sound server's client library, whose flags define
# _REENTRANT, which the standard headers read. Where the tests are compiled
# without optimization (the sanitizer tree), the test programs use carriers
# of their own at that level.
# Call once, after all targets exist.
function(moravel_precompile_headers)
  if(NOT MORAVEL_PCH OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  set(plot Qt6::Widgets Qt6::PrintSupport QCustomPlotQt6::QCustomPlotQt6)
  _moravel_pch_carrier(moravel_pch_plot_lib STATIC_LIBRARY "${plot}" "${_moravel_pch_plot}")
  _moravel_pch_carrier(moravel_pch_plot_exe EXECUTABLE "${plot}" "${_moravel_pch_plot}")
  if(MORAVEL_TESTS)
    _moravel_pch_test_carrier(moravel_pch_tests "GTest::gmock" "${_moravel_pch_tests}")
    _moravel_pch_test_carrier(moravel_pch_qt_tests "GTest::gmock;Qt6::Core" "${_moravel_pch_tests}")
    get_property(own_test_options GLOBAL PROPERTY MORAVEL_TEST_PCH_OPTIONS SET)
    if(own_test_options)
      _moravel_pch_test_carrier(moravel_pch_plot_tests "${plot}" "${_moravel_pch_plot}")
    endif()
  endif()
  _moravel_pch_carrier(moravel_pch_std STATIC_LIBRARY "" "${_moravel_pch_std}")
  _moravel_pch_carrier(moravel_pch_std_qt STATIC_LIBRARY "Qt6::Core" "${_moravel_pch_std}")
  _moravel_pch_carrier(moravel_pch_std_pulse STATIC_LIBRARY "Qt6::Core;PkgConfig::PULSE" "${_moravel_pch_std}")
  _moravel_all_targets(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(target MATCHES "^moravel_pch_" OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY)$" OR NOT sources)
      continue()
    endif()
    _moravel_links(${target} "^QCustomPlotQt6::" plot_used)
    _moravel_links(${target} "^GTest::" gtest_used)
    _moravel_links(${target} "^Qt6::" qt_used)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(tests_dir ${PROJECT_SOURCE_DIR}/tests)
    cmake_path(IS_PREFIX tests_dir "${source_dir}" in_tests)
    set(test_program FALSE)
    if(own_test_options AND in_tests AND type STREQUAL "EXECUTABLE")
      set(test_program TRUE)
    endif()
    if(test_program AND plot_used)
      target_precompile_headers(${target} REUSE_FROM moravel_pch_plot_tests)
      _moravel_skip_empty_moc_file(${target})
    elseif(test_program AND NOT gtest_used)
      # A helper program of the tests: no carrier is compiled at its level.
    elseif(plot_used AND type STREQUAL "EXECUTABLE")
      target_precompile_headers(${target} REUSE_FROM moravel_pch_plot_exe)
      _moravel_skip_empty_moc_file(${target})
    elseif(plot_used)
      target_precompile_headers(${target} REUSE_FROM moravel_pch_plot_lib)
    elseif(MORAVEL_TESTS AND gtest_used AND type STREQUAL "EXECUTABLE" AND qt_used)
      target_precompile_headers(${target} REUSE_FROM moravel_pch_qt_tests)
    elseif(MORAVEL_TESTS AND gtest_used AND type STREQUAL "EXECUTABLE")
      target_precompile_headers(${target} REUSE_FROM moravel_pch_tests)
    elseif(NOT gtest_used AND qt_used AND type STREQUAL "STATIC_LIBRARY")
      get_target_property(direct ${target} LINK_LIBRARIES)
      if("PkgConfig::PULSE" IN_LIST direct)
        target_precompile_headers(${target} REUSE_FROM moravel_pch_std_pulse)
      else()
        target_precompile_headers(${target} REUSE_FROM moravel_pch_std_qt)
      endif()
      _moravel_skip_sources_with_own_options(${target})
    elseif(NOT gtest_used AND NOT qt_used)
      target_precompile_headers(${target} REUSE_FROM moravel_pch_std)
      _moravel_skip_sources_with_own_options(${target})
    endif()
  endforeach()
endfunction()
