#pragma once
#include <QString>

namespace dovrel {

// True when the file is a wave file the audio stack can be trusted with: PCM
// or float samples in a sane format, with all of its sound there, in whole
// frames, and at least one of them. The audio stack hangs or corrupts memory
// on files that are empty, cut off or end in a part of a frame.
bool isPlayableWave(const QString& path);

}  // namespace dovrel
