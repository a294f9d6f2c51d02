# What the PE header of every Windows program we link declares. Subsystem version 6.0: the
# oldest system the manifest names is Vista, and Windows gives images below 6.0 a legacy
# program's window-frame metrics. Terminal-server aware: no compatibility shims for a remote
# session. ASLR with a 64-bit address space, and DEP, stated rather than left to ld's defaults.
# The test pe_headers reads them back from the built programs.
add_link_options("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:LINKER:--major-subsystem-version,6;LINKER:--minor-subsystem-version,0;LINKER:--tsaware;LINKER:--dynamicbase;LINKER:--high-entropy-va;LINKER:--nxcompat>")
