# SPDX-License-Identifier: GPL-3.0-or-later
# Flags for the WebAssembly build. The blocking serial channel meets the browser through Asyncify:
# a wait for the port suspends the whole call stack, indirect calls included (the backend is
# virtual), so every program of this build is linked with it. C++ exceptions stay on: the
# configuration files' parser throws. -fwasm-exceptions does not mix with Asyncify; the
# JavaScript-based exceptions do.
add_compile_options(-fexceptions)
add_link_options(
    -fexceptions
    -sASYNCIFY=1
    -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1
    -sDYNAMIC_EXECUTION=0)

# Test programs run under node, with the machine's files reachable (temporary folders), and end
# the process with their exit status. The web preset runs them on V8's baseline compiler
# (--liftoff-only): by default V8 compiles a function when it is first called and optimises it in
# the background, which stalled the first exchange of a test by 0.2 to 1.2 s here, enough to
# throw out a test that times a read; the baseline compiler also starts a test in half the time.
set(WB_NODE_TEST_LINK_OPTIONS -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
