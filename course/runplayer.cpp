#include "course/runplayer.h"

namespace course {

RunPlayer::~RunPlayer() = default;

} // namespace course
