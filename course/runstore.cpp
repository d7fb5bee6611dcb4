#include "course/runstore.h"

namespace course {

RunStore::~RunStore() = default;

} // namespace course
