#include "text/texto.h"

#include <type_traits>

static_assert(!std::is_default_constructible_v<Texto>,
              "a default text would let a table leave a field out unnoticed");
