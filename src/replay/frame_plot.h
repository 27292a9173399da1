// The frame times of a timedemo as a picture (--plot): one bar a frame, update,
// draw and present stacked from the bottom, the 16.7 ms of a 60 Hz frame marked
// across, and a legend with each part's median and p99 and the whole frame's
// median, p90, p99 and max. Drawn with the software renderer, so a spike is seen
// where it happened in the run. With more frames than columns, each column shows
// the slowest frame of those it covers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/renderer.h"
#include "render/software_renderer.h"
#include "replay/timedemo.h"

// Draws the plot on the renderer's screen (cleared first); `title` heads it.
void DrawFramePlot(Renderer& renderer, const std::vector<FrameTiming>& frames, std::string_view title);

// Draws the plot with a software renderer of its own and writes it as a PNG to a
// host path; false when the file cannot be written.
bool WriteFramePlot(const std::string& path, const std::vector<FrameTiming>& frames, std::string_view title,
                    TextImageSource text);
