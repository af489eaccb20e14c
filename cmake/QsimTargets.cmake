# Results must be identical across compilers and -march settings: no contraction
# of a*b+c into fused multiply-adds and no fast-math reordering, in every target.
add_compile_options(-ffp-contract=off -fno-fast-math)

# Warnings for a target of the project. GCC 12 reports -Wrestrict on string
# concatenations in optimised builds that cannot overlap (a known false positive
# of that release), so that one warning is off.
function(qsim_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                         $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()
