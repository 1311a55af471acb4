# The usual hardening of a Debian build, for a program that reads packets
# from the network. Like Debian's build flags it applies to everything built
# here; the sanitizers and the fuzzers bring their own instrumentation.
if(NOT WIN32 AND NOT QUORL_SANITIZE AND NOT QUORL_BUILD_FUZZERS)
    add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    add_link_options(-Wl,-z,relro,-z,now)
endif()
