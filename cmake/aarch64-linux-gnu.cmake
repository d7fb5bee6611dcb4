# Cross build for 64-bit Arm (a Raspberry Pi's Debian arm64) on a Debian
# amd64 machine with the arm64 architecture added.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ZIRVANO_CROSS_TRIPLET aarch64-linux-gnu)
set(ZIRVANO_CROSS_QEMU qemu-aarch64-static qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
