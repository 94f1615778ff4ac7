# Every tests/e2e/scripts/NAME.script is a test: the driver runs it headless and its
# "#expect" lines are checked against the final state. Scripts named *.soak.script are long
# runs (label soak).
file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/scripts/*.script)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  set(label e2e)
  if(script MATCHES "\\.soak\\.script$")
    set(label soak)
  endif()
  add_test(NAME e2e.${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/run_script.sh $<TARGET_FILE:pomelane-script> ${script}
      ${POMELANE_ASSETS})
  set_tests_properties(e2e.${name} PROPERTIES LABELS ${label} TIMEOUT 600)
endforeach()
