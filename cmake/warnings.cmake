# Warnings are errors in every tree.
set(SOROWA_WARNINGS
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wformat=2 -Wimplicit-fallthrough -Werror)

# The engine has no WPARAM/LPARAM noise, so it also gets the conversion warnings.
set(SOROWA_ENGINE_WARNINGS ${SOROWA_WARNINGS} -Wconversion -Wsign-conversion -Wold-style-cast)

function(sorowa_warnings target)
    target_compile_options(${target} PRIVATE ${SOROWA_WARNINGS})
endfunction()
