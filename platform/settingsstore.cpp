#include "platform/settingsstore.h"
