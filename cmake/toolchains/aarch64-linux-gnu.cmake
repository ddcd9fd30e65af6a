# Cross-compiling for 64-bit Arm Linux with Debian's g++-aarch64-linux-gnu. The
# libraries are Debian's arm64 packages (multiarch), under /usr/lib/aarch64-linux-gnu
# beside the host's. They bring their own C library and dynamic loader
# (/lib/ld-linux-aarch64.so.1), so the programs run under qemu-aarch64 with the root
# as their sysroot (-L /): with the cross compiler's /usr/aarch64-linux-gnu, the loader
# would come from there and the C library from multiarch, two builds of glibc that hang
# at the first pthread_create.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
