# Every target of the project links this: warnings are errors.
add_library(quorl_warnings INTERFACE)
target_compile_options(quorl_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
