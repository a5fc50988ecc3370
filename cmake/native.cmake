# Native build: the headless backend, the simulated machine and the tests.
norvane_sources(SIM_SOURCES src/ui/headless src/platform/sim)
add_library(norvane_sim STATIC ${SIM_SOURCES})
target_link_libraries(norvane_sim PUBLIC norvane_core)

enable_testing()
find_package(GTest REQUIRED)
norvane_sources(TEST_SOURCES tests tests/support)
add_executable(norvane_tests ${TEST_SOURCES})
target_include_directories(norvane_tests PRIVATE tests)
target_link_libraries(norvane_tests PRIVATE norvane_sim GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(norvane_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  norvane_sources(BENCH_SOURCES bench)
  if(BENCH_SOURCES)
    add_executable(norvane_bench ${BENCH_SOURCES})
    target_include_directories(norvane_bench PRIVATE tests)
    target_link_libraries(norvane_bench PRIVATE norvane_sim benchmark::benchmark)
  endif()
endif()

# End-to-end tests of the Windows build under Wine, when a dist folder is given.
set(NORVANE_DIST "" CACHE PATH "dist folder of the Windows build, for the end-to-end tests")
if(NORVANE_DIST)
  include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
endif()
