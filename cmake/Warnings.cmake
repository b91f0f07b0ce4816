# sudoku_warnings(target): the project's warning set, as errors when SUDOKU_WERROR is on.
function(sudoku_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                           -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
                           -Wimplicit-fallthrough)
    if(SUDOKU_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
