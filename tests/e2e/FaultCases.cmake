# The end-to-end cases of fault_cases.py: data files the program cannot use or write, and a list
# of 100,000 rows. Registered like the other cases, after them, in the same fixture.
set(KIV_E2E_FAULT_CASES data-file-folder unwritable-folder long-list CACHE INTERNAL "")

function(kiv_register_e2e_fault_cases)
    if(NOT TARGET ${KIV_E2E_PROGRAM})
        return()
    endif()
    set(run ${KIV_E2E_PYTHON} ${KIV_E2E_SOURCE_DIR}/run.py
        --exe $<TARGET_FILE:${KIV_E2E_PROGRAM}> --driver $<TARGET_FILE:kivdrive>
        --defaults-tool $<TARGET_FILE:kivdefaults>
        --work ${CMAKE_BINARY_DIR}/e2e-work --shots ${CMAKE_BINARY_DIR}/e2e-shots)
    foreach(name IN LISTS KIV_E2E_FAULT_CASES)
        add_test(NAME e2e_${name} COMMAND ${run} case ${name})
        set_tests_properties(e2e_${name} PROPERTIES
            FIXTURES_REQUIRED e2e_prefix LABELS e2e TIMEOUT 300)
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL kiv_register_e2e_fault_cases)
