// The draw log (--draw-log FILE): the draw calls of one frame, one JSON object a
// line in drawing order, so a level author or a test can check what a frame drew
// without comparing pixels.
#pragma once

#include <string>

#include "render/tee_renderer.h"

// A 3D sprite draw:
//   {"kind":"sprite","sprite":21,"x":496,"y":368,"width":32,"height":32,"angle":0,
//    "alpha":255,"blendSource":5,"blendDestination":6,"quality":1}
// a line of debug text:
//   {"kind":"text","x":20,"y":200,"text":"Debug","colour":2795140}
std::string DrawLogText(const TeeRenderer& tee);

// Writes DrawLogText to a host path; false when the file cannot be written.
bool WriteDrawLog(const std::string& path, const TeeRenderer& tee);
