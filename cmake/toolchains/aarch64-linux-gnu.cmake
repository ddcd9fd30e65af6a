# Cross-compiling for 64-bit Arm Linux with Debian's g++-aarch64-linux-gnu. The
# libraries are Debian's arm64 packages (multiarch), under /usr/lib/aarch64-linux-gnu
# beside the host's, with their own C library. The loader must come from the same
# build of glibc as the C library (their private structures differ between builds), so
# the programs name the multiarch loader by its full path. Under the usual
# /lib/ld-linux-aarch64.so.1, `qemu-aarch64 -L /usr/aarch64-linux-gnu` (or
# QEMU_LD_PREFIX set so) took the cross compiler's own loader from there beside the
# multiarch C library, and the first pthread_create never returned. The multiarch
# path is not under that sysroot, so qemu-aarch64 finds the host's with any prefix.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--dynamic-linker=/lib/aarch64-linux-gnu/ld-linux-aarch64.so.1")
