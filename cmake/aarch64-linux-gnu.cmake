# Cross build for 64-bit Arm (a Raspberry Pi's Debian arm64) on a Debian
# amd64 machine with the arm64 architecture added: the aarch64 cross compiler
# and the arm64 Qt 6 and SDL2 development packages, found under their
# multiarch folders. Qt's code generators (moc, rcc) run from the host's Qt.
# Programs run under qemu's user-mode emulation, so CTest works unchanged.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

find_program(ZIRVANO_QEMU qemu-aarch64-static qemu-aarch64)
if(ZIRVANO_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZIRVANO_QEMU})
endif()
