#include "recognition/recognitionplayer.h"

namespace recognition {

RecognitionPlayer::~RecognitionPlayer() = default;

} // namespace recognition
