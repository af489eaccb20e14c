# Results must be identical across compilers and -march settings: no contraction
# of a*b+c into fused multiply-adds and no fast-math reordering, in every target.
add_compile_options(-ffp-contract=off -fno-fast-math)

# Warnings for a target of the project.
function(qsim_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
