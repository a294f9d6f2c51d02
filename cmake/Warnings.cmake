# Our own targets build warning-free at -Wall -Wextra; KIV_WERROR makes that binding.
option(KIV_WERROR "Treat warnings as errors" OFF)

function(kiv_set_warnings target)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra>")
    if(KIV_WERROR)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
    endif()
endfunction()
