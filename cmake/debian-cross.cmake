# What a cross build on a Debian amd64 machine shares, whatever the target:
# the target's compiler and its libraries, found under their multiarch
# folders (the target's architecture added to dpkg), Qt's code generators
# and translation tools from the host's Qt, and qemu's user-mode emulation to
# run the programs, so CTest works unchanged. The including toolchain file
# sets CMAKE_SYSTEM_PROCESSOR, ZIRVANO_CROSS_TRIPLET and ZIRVANO_CROSS_QEMU.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_LIBRARY_ARCHITECTURE ${ZIRVANO_CROSS_TRIPLET})
set(CMAKE_C_COMPILER ${ZIRVANO_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ZIRVANO_CROSS_TRIPLET}-g++)

set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

find_program(ZIRVANO_QEMU NAMES ${ZIRVANO_CROSS_QEMU})
if(ZIRVANO_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZIRVANO_QEMU})
endif()
