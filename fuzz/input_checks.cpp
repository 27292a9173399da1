// Checks of the readers that take bytes from memory: PNG decoding in both load
// modes, the input script, and mapc's source parser and compiler.
#include <algorithm>

#include "content/map_format.h"
#include "fuzz_checks.h"
#include "map_compiler.h"
#include "base/files.h"
#include "render/recording_renderer.h"
#include "render/sprites.h"
#include "replay/input_script.h"

namespace {

constexpr uint32_t kKey = 0x00000000;  // the colour start-up keys out: black

std::string CheckImage(const Image* image) {
  if (image == nullptr) return "a decoded image missing from the store";
  if (image->width <= 0 || image->height <= 0) return "an empty image decoded";
  if (int64_t{image->width} * image->height > kMaxImagePixels) return "an image above the pixel bound decoded";
  if (image->rgba.size() != static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 4) {
    return "pixels that do not fill the image";
  }
  return {};
}

}  // namespace

std::string CheckPng(std::string_view input) {
  RecordingRenderer renderer;
  SpriteStore sprites(renderer);
  sprites.SetTransparentColour(kKey);
  const bool withAlpha = sprites.CatchSprite(1, input.data(), input.size(), kSpriteTexture | kSpriteAlpha);
  const bool keyed = sprites.CatchSprite(2, input.data(), input.size(), kSpriteTexture);
  if (withAlpha != keyed) return "the two load modes disagree on whether the PNG decodes";
  if (!withAlpha) return sprites.HasSprite(1) || sprites.HasSprite(2) ? "a refused PNG left an image" : "";
  const Image* own = sprites.FindImage(1);
  const Image* key = sprites.FindImage(2);
  for (const Image* image : {own, key}) {
    const std::string problem = CheckImage(image);
    if (!problem.empty()) return problem;
  }
  if (own->width != key->width || own->height != key->height) return "the two load modes disagree on the size";
  for (size_t i = 0; i < key->rgba.size(); i += 4) {
    const uint8_t* p = &key->rgba[i];
    const bool isKey = p[0] == 0 && p[1] == 0 && p[2] == 0;
    if (!std::equal(p, p + 3, &own->rgba[i])) return "the two load modes disagree on a colour";
    if (p[3] != (isKey ? 0 : 255)) return "a keyed pixel with the wrong alpha";
  }
  if (!sprites.CreateSprite3D(1, 1)) return "a decoded image without its 3D sprite";
  return {};
}

std::string CheckInputScript(std::string_view input) {
  std::vector<ScriptEvent> events;
  std::string error;
  const size_t lines = static_cast<size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
  if (!ParseInputScript(input, events, error)) {
    if (error.rfind("line ", 0) != 0) return "a refusal without its line";
    return {};
  }
  if (events.size() > lines) return "more events than lines";
  uint64_t lastFrame = 0;
  for (const ScriptEvent& e : events) {
    if (e.frame == 0) return "an event in frame 0";
    if (e.kind == ScriptEvent::Kind::kKey && (e.code < 0 || e.code >= 256)) return "a key outside the keyboard";
    if (e.kind == ScriptEvent::Kind::kButton && e.code != 1 && e.code != 2) return "a button that is neither";
    lastFrame = std::max(lastFrame, e.frame);
  }
  ScriptedInput script(events);
  if (script.LastEventFrame() < lastFrame) return "the last event frame before an event";
  if (HeadlessFrameLimit(&script) < script.LastEventFrame()) return "a headless run that stops before its script";
  // Play the frames that hold events (at most 200 of them).
  KeyArray keys{};
  MouseReading reading;
  WindowEvent event = WindowEvent::kNone;
  std::vector<uint64_t> frames;
  for (const ScriptEvent& e : events) frames.push_back(e.frame);
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  if (frames.size() > 200) frames.resize(200);
  for (uint64_t frame : frames) {
    script.BeginFrame(frame, keys, reading, event);
    if (reading.deviceX < 0 || reading.deviceX > 1023 || reading.deviceY < 0 || reading.deviceY > 767) {
      return "a mouse device reading off the screen";
    }
  }
  return {};
}

std::string CheckMapSource(std::string_view input) {
  mapc::CompiledMap compiled;
  std::vector<mapc::Diagnostic> diags;
  const bool ok = mapc::CompileText(input, "fuzz.vxmap", compiled, diags);
  const bool anyError = std::any_of(diags.begin(), diags.end(), [](const mapc::Diagnostic& d) { return d.error; });
  if (ok == anyError) return "the result disagrees with the errors reported";
  if (!ok) return {};
  // What mapc writes, the game reads back whole.
  FileReader file;
  file.OpenMemory(compiled.mapBytes);
  MapFileRecord record;
  std::string why;
  if (!DecodeMapFile(file, record, why)) return "mapc wrote a map the game refuses: " + why;
  if (record.endedEarly || record.trailingBytes != 0) return "mapc wrote a map of the wrong length";
  return {};
}
