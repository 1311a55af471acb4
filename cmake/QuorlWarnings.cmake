# Every target of the project links this: warnings are errors.
add_library(quorl_warnings INTERFACE)
target_compile_options(quorl_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)

# The usual hardening of a Debian build, for a program that reads packets
# from the network.
if(NOT WIN32 AND NOT QUORL_SANITIZE AND NOT QUORL_BUILD_FUZZERS)
    target_compile_options(quorl_warnings INTERFACE
        -fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(quorl_warnings INTERFACE -Wl,-z,relro,-z,now)
endif()
