#include "text/idioma.h"
