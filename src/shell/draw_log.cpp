#include "shell/draw_log.h"

#include "base/files.h"
#include "shell/json_writer.h"

namespace {

std::string SpriteLine(const RecordedDraw& draw) {
  const QuadDraw& quad = draw.quad;
  JsonWriter json;
  json.BeginObject()
      .Field("kind", std::string_view("sprite"))
      .Field("sprite", int64_t{quad.sprite})
      .Field("x", int64_t{quad.x})
      .Field("y", int64_t{quad.y})
      .Field("width", int64_t{quad.width})
      .Field("height", int64_t{quad.height})
      .Field("angle", double{quad.angle})
      .Field("alpha", int64_t{quad.alpha})
      .Field("blendSource", int64_t{draw.blendSource})
      .Field("blendDestination", int64_t{draw.blendDestination})
      .Field("quality", int64_t{draw.quality})
      .EndObject();
  return json.Take();
}

// A text in the debug pen's style is logged without a style; any other names its
// point size, face and centring (x is then the text's centre).
std::string TextLine(const RecordedText& text) {
  JsonWriter json;
  json.BeginObject()
      .Field("kind", std::string_view("text"))
      .Field("x", int64_t{text.x})
      .Field("y", int64_t{text.y})
      .Field("text", std::string_view(text.text))
      .Field("colour", int64_t{text.colour});
  if (!text.style.IsDefault()) {
    json.Field("pointSize", int64_t{text.style.pointSize})
        .Field("bold", text.style.bold)
        .Field("centred", text.style.centred);
  }
  json.EndObject();
  return json.Take();
}

}  // namespace

std::string DrawLogText(const TeeRenderer& tee) {
  const RecordingRenderer& record = tee.record();
  std::string out;
  size_t sprite = 0;
  size_t text = 0;
  for (DrawKind kind : tee.order()) {
    if (kind == DrawKind::kSprite && sprite < record.draws.size()) {
      out += SpriteLine(record.draws[sprite++]);
    } else if (kind == DrawKind::kText && text < record.texts.size()) {
      out += TextLine(record.texts[text++]);
    } else {
      continue;
    }
    out += '\n';
  }
  return out;
}

bool WriteDrawLog(const std::string& path, const TeeRenderer& tee) {
  return WriteWholeFile(path, DrawLogText(tee));
}
