# Fuzz targets (libFuzzer): built only by clang with POMELANE_FUZZ=ON, on a build that also has
# POMELANE_SANITIZE=ON (AddressSanitizer and UndefinedBehaviorSanitizer everywhere). Each is a
# test of label fuzz that runs for POMELANE_FUZZ_SECONDS from a seed corpus of the asset tree
# in POMELANE_FUZZ_SEEDS (the build's own by default).
option(POMELANE_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(NOT POMELANE_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "POMELANE_FUZZ needs clang; no fuzz targets are built")
  return()
endif()
if(NOT POMELANE_SANITIZE)
  message(FATAL_ERROR "POMELANE_FUZZ needs POMELANE_SANITIZE=ON")
endif()
set(POMELANE_FUZZ_SECONDS 15 CACHE STRING "How long each fuzz test runs")
set(POMELANE_FUZZ_SEEDS ${POMELANE_ASSETS} CACHE PATH "Asset tree the seed corpora come from")

# Coverage for the code under test; sanitizer findings stop the run.
foreach(lib pomelane_platform pomelane_game)
  target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link -fno-sanitize-recover=all)
endforeach()

set(POMELANE_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

add_custom_target(fuzz_targets)

# NAME SOURCE SEED-GLOB...
function(pomelane_fuzz name source)
  add_executable(fuzz_${name} ${POMELANE_FUZZ_DIR}/${source})
  add_dependencies(fuzz_targets fuzz_${name})
  target_include_directories(fuzz_${name} PRIVATE ${POMELANE_FUZZ_DIR})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer -fno-sanitize-recover=all)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE pomelane_game)
  add_test(NAME fuzz.${name}
    COMMAND ${POMELANE_FUZZ_DIR}/run_fuzz.sh $<TARGET_FILE:fuzz_${name}> ${POMELANE_FUZZ_SECONDS}
      ${POMELANE_FUZZ_SEEDS} ${ARGN})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

pomelane_fuzz(wave wave_fuzz.cpp "Wave/*")
pomelane_fuzz(bmp bmp_fuzz.cpp "bitmap/*.bmp" "XFile/tex/*.bmp")
pomelane_fuzz(xmesh xmesh_fuzz.cpp "XFile/*.x")
pomelane_fuzz(midi midi_fuzz.cpp "Mid/*.mid")
pomelane_fuzz(settings settings_fuzz.cpp "data.txt")
