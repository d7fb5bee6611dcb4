# Cross build for 32-bit Arm with hardware floating point (Raspberry Pi OS's
# and Debian's armhf) on a Debian amd64 machine with the armhf architecture
# added.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(ZIRVANO_CROSS_TRIPLET arm-linux-gnueabihf)
set(ZIRVANO_CROSS_QEMU qemu-arm-static qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
