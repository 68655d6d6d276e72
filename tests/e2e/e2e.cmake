# End-to-end tests: the real vantero.exe under Wine, driven with X input (xdotool) while a
# recorder window has the focus. Included from tests/win, so the targets live there.
set(VANTERO_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(recorder WIN32 ${VANTERO_E2E_DIR}/recorder.cpp)
add_executable(probe ${VANTERO_E2E_DIR}/probe.cpp)
target_link_libraries(probe PRIVATE psapi)
if(MINGW)
    target_link_options(recorder PRIVATE -municode)
    target_link_options(probe PRIVATE -municode)
endif()

if(NOT TARGET vantero)
    return()
endif()

find_program(VANTERO_PYTHON3 python3)
if(NOT VANTERO_PYTHON3)
    message(WARNING "python3 not found: the end-to-end tests are not registered")
    return()
endif()

# name, script, time limit in seconds
function(vantero_e2e_test name script timeout)
    add_test(NAME e2e_${name}
             COMMAND ${VANTERO_PYTHON3} ${VANTERO_E2E_DIR}/${script} --exe $<TARGET_FILE:vantero>
                     --recorder $<TARGET_FILE:recorder> --probe $<TARGET_FILE:probe>)
    # 77: no display or no xdotool, nothing to drive. One at a time: they share the Wine desktop,
    # its keyboard and its pointer.
    set_tests_properties(e2e_${name} PROPERTIES TIMEOUT ${timeout} SKIP_RETURN_CODE 77 RESOURCE_LOCK wine_desktop
                                                LABELS e2e ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endfunction()

vantero_e2e_test(startup test_startup.py 90)
vantero_e2e_test(trigger test_trigger.py 120)
vantero_e2e_test(chord test_chord.py 150)
vantero_e2e_test(enable_errors test_enable_errors.py 90)
vantero_e2e_test(exit test_exit.py 120)
vantero_e2e_test(journey test_journey.py 180)
# Reliability: re-entry and clicks during sends, load with resource counts, damaged set.ini.
vantero_e2e_test(reentry test_reentry.py 120)
vantero_e2e_test(load test_load.py 120)
vantero_e2e_test(bad_ini test_bad_ini.py 180)
vantero_e2e_test(saving test_saving.py 180)
