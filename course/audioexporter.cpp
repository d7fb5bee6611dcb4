#include "course/audioexporter.h"

namespace course {

AudioExporter::~AudioExporter() = default;

} // namespace course
