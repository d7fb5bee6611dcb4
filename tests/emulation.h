#pragma once

#include <QtGlobal>

// Set by CTest when the tests run under an emulator (the arm64 and armhf
// cross builds of scripts/test-cross.sh, through qemu's user mode). Code runs
// tens of times slower there and in bursts, so upper bounds on wall-clock
// time are not checked, and a loop through the event loop a hundred thousand
// times takes a lighter load.
inline bool Emulated()
{
    return qEnvironmentVariableIsSet("ZIRVANO_EMULATED");
}
