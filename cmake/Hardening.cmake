# Optimised builds (the package's) get Debian's usual hardening: checked
# string and memory functions, and a read-only relocation table bound at start.
add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo>:_FORTIFY_SOURCE=2>)
add_link_options($<$<CONFIG:Release,RelWithDebInfo>:LINKER:-z,relro,-z,now>)
