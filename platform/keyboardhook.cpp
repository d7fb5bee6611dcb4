#include "platform/keyboardhook.h"
