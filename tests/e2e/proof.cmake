# Bad input and faults, end to end: the game with its asset tree missing or damaged kind by
# kind, and data.txt in a folder that is full, read-only, or whose writer is killed midway.
add_test(NAME e2e.proof_damaged_assets
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/damaged_assets.sh $<TARGET_FILE:pomelane-script> ${POMELANE_ASSETS}
    ${CMAKE_SOURCE_DIR}/tests/e2e/scripts/proof_round_then_quit.script)
add_test(NAME e2e.proof_data_txt_faults
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/data_txt_faults.sh $<TARGET_FILE:pomelane-script> ${POMELANE_ASSETS})
set_tests_properties(e2e.proof_damaged_assets e2e.proof_data_txt_faults PROPERTIES LABELS e2e TIMEOUT 600)
add_test(NAME e2e.proof_pause_frozen
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/pause_frozen.sh $<TARGET_FILE:pomelane-script> ${POMELANE_ASSETS}
    ${CMAKE_SOURCE_DIR}/tests/e2e/scripts/proof_pause_in_flight.script)
set_tests_properties(e2e.proof_pause_frozen PROPERTIES LABELS e2e TIMEOUT 120)
