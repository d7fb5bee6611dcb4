#include "sendpage/keysound.h"

namespace sending {

KeySound::~KeySound() = default;

} // namespace sending
