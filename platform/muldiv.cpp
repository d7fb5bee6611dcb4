#include "platform/muldiv.h"
