# velmora_warnings(target): the warning level every target of ours is built with.
function(velmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC 12 reports std::string concatenation at -O2 as overlapping memcpy
        # (GCC bug 105329, a false positive).
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(VELMORA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
