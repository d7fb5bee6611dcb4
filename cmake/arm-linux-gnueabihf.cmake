# Cross build for 32-bit Arm with hardware floating point (Raspberry Pi OS's
# and Debian's armhf) on a Debian amd64 machine with the armhf architecture
# added.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(ZIRVANO_CROSS_TRIPLET arm-linux-gnueabihf)
set(ZIRVANO_CROSS_QEMU qemu-arm-static qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
# GCC notes that 64-bit members are passed differently since GCC 7.1: an ABI
# note about mixing objects of old compilers, which this build never does.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")
