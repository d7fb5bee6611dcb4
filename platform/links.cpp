#include "platform/links.h"
