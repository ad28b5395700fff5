# Warning flags for the project's own targets only; CI turns QYTXT_WERROR on.
function(qytxt_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
    if(QYTXT_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
