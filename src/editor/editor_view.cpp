#include "editor/editor_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content_names.h"
#include "base/input.h"
#include "render/sprites.h"
#include "world/assets.h"

namespace editor {

namespace {

// Plain-colour 1x1 sprites, zoomed to each rectangle drawn.
constexpr int kColourBase = 9100;
enum Colour : int {
  kBlack, kWhite, kGrid, kPanel, kHighlight, kSoldier, kTurret, kStart, kDoor, kWall, kFloor, kLow, kView, kSelect, kColours
};
constexpr uint32_t kColourRgb[kColours] = {0x000000, 0xffffff, 0x808080, 0x202020, 0x00c0ff, 0x3030ff,
                                           0x0090ff, 0x30e030, 0xff9030, 0x909090, 0x303030, 0x305070,
                                           0xffffff, 0xff60ff};
// Light colours: sprite kLightColourBase + light ID.
constexpr int kLightColourBase = 9200;

void PutColour(SpriteStore& sprites, int number, uint8_t r, uint8_t g, uint8_t b) {
  Image image;
  image.Resize(1, 1);
  uint8_t* p = image.Pixel(0, 0);
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = 255;
  sprites.PutSprite(number, std::move(image));
  sprites.CreateSprite3D(number, number);
}

void Rect(SpriteStore& sprites, int colour, int x, int y, int w, int h, int alpha = 255) {
  if (w <= 0 || h <= 0) return;
  sprites.Zoom(colour, w, h);
  sprites.Display(colour, x, y, alpha);
}

void Fill(SpriteStore& sprites, Colour c, int x, int y, int w, int h, int alpha = 255) {
  Rect(sprites, kColourBase + c, x, y, w, h, alpha);
}

void Frame(SpriteStore& sprites, Colour c, int x, int y, int w, int h) {
  Fill(sprites, c, x, y, w, 2);
  Fill(sprites, c, x, y + h - 2, w, 2);
  Fill(sprites, c, x, y, 2, h);
  Fill(sprites, c, x + w - 2, y, 2, h);
}

int LightId(int32_t sprite) { return sprite - mapc::kLightSpriteBase; }

void DrawGrid(const EditorState& state, const Map& map, SpriteStore& sprites) {
  const int tile = map.tileSize;
  if (tile < 4) return;
  const int x0 = -((state.camera.x % tile + tile) % tile);
  const int y0 = -((state.camera.y % tile + tile) % tile);
  for (int x = x0; x < kScreenWidth; x += tile) Fill(sprites, kGrid, x, 0, 1, kScreenHeight, 110);
  for (int y = y0; y < kScreenHeight; y += tile) Fill(sprites, kGrid, 0, y, kScreenWidth, 1, 110);
}

// Dots along a line from (x0, y0) to (x1, y1), those on the screen only.
void DottedLine(SpriteStore& sprites, int sprite, float x0, float y0, float x1, float y1, float gap, int alpha) {
  const float length = std::hypot(x1 - x0, y1 - y0);
  const int dots = std::clamp(static_cast<int>(length / gap), 1, 400);
  for (int i = 0; i <= dots; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(dots);
    const int x = static_cast<int>(x0 + (x1 - x0) * t), y = static_cast<int>(y0 + (y1 - y0) * t);
    if (x >= -2 && y >= -2 && x < kScreenWidth && y < kScreenHeight) Rect(sprites, sprite, x - 1, y - 1, 2, 2, alpha);
  }
}

// A light's marker: a square of its colour (hollow when it is off), the outline of
// its image as turned (faint when off), and a tick from the centre along its turned +x axis.
void DrawLightMarker(const mapc::LightRecord& l, const Camera& camera, SpriteStore& sprites) {
  const float cx = static_cast<float>(l.x) + l.width / 2.0f - camera.x, cy = static_cast<float>(l.y) + l.height / 2.0f - camera.y;
  const int colour = kLightColourBase + std::clamp(LightId(l.sprite), 0, 99);
  const float turn = static_cast<float>(l.angle) * 3.14159265f / 180.0f;
  const float ux = std::cos(turn), uy = std::sin(turn);  // clockwise on the screen (y down)
  const float hw = l.width / 2.0f, hh = l.height / 2.0f;
  const float px[4] = {-hw, hw, hw, -hw}, py[4] = {-hh, -hh, hh, hh};
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    DottedLine(sprites, colour, cx + px[i] * ux - py[i] * uy, cy + px[i] * uy + py[i] * ux, cx + px[j] * ux - py[j] * uy,
               cy + px[j] * uy + py[j] * ux, 8.0f, l.on != 0 ? 200 : 90);
  }
  const float tick = std::min(std::max(std::abs(hw), 24.0f), 96.0f);
  DottedLine(sprites, kColourBase + kWhite, cx, cy, cx + ux * tick, cy + uy * tick, 3.0f, 255);
  const int x = static_cast<int>(cx), y = static_cast<int>(cy);
  Fill(sprites, kBlack, x - 7, y - 7, 14, 14);
  Rect(sprites, colour, x - 5, y - 5, 10, 10);
  if (l.on == 0) Fill(sprites, kBlack, x - 3, y - 3, 6, 6);
}

void DrawMarkers(const MapDocument& doc, const EditorState& state, SpriteStore& sprites) {
  const mapc::CompiledMap& map = doc.preview();
  const int tile = doc.TileSize();
  for (const mapc::LightRecord& l : map.binary.lights) DrawLightMarker(l, state.camera, sprites);
  for (const mapc::EnemyPlacement& e : map.enemies) {
    const int x = e.x - state.camera.x, y = e.y - state.camera.y;
    Frame(sprites, e.type == 2 ? kTurret : kSoldier, x - tile / 3, y - tile / 3, tile * 2 / 3, tile * 2 / 3);
  }
  for (const mapc::DoorRecord& d : map.binary.doors) {
    Frame(sprites, kDoor, d.column * tile - state.camera.x + 2, d.row * tile - state.camera.y + 2, tile - 4, tile - 4);
  }
  const int sx = map.binary.startX - state.camera.x, sy = map.binary.startY - state.camera.y;
  Fill(sprites, kStart, sx - 8, sy - 8, 16, 16);
}

void DrawPalette(const MapDocument& doc, const EditorState& state, const EditorWorld& world, SpriteStore& sprites) {
  Fill(sprites, kPanel, kPaletteX, kToolbarHeight, kScreenWidth - kPaletteX, kStatusY - kToolbarHeight, 220);
  const auto& legend = doc.source().legend;
  const int rows = (kStatusY - kToolbarHeight - 8) / 36;
  const int first = std::clamp(state.entry - rows / 2, 0, std::max(0, static_cast<int>(legend.size()) - rows));
  for (int i = first; i < std::min(static_cast<int>(legend.size()), first + rows); ++i) {
    const int y = kToolbarHeight + 4 + (i - first) * 36;
    const auto found = world.tileSprites.find(legend[static_cast<size_t>(i)].image);
    int sprite = found != world.tileSprites.end() ? found->second : legend[static_cast<size_t>(i)].cell.sprite;
    if (sprite != 0 && sprites.HasSprite3D(sprite)) {
      sprites.Zoom(sprite, 32, 32);
      sprites.Display(sprite, kPaletteX + 6, y);
      sprites.Zoom(sprite, sprites.SpriteWidth(sprite), sprites.SpriteHeight(sprite));
    } else {
      Fill(sprites, kBlack, kPaletteX + 6, y, 32, 32);
    }
    if (i == state.entry) Frame(sprites, kHighlight, kPaletteX + 3, y - 3, kScreenWidth - kPaletteX - 6, 38);
  }
}

void DrawToolbar(const EditorState& state, SpriteStore& sprites) {
  Fill(sprites, kPanel, 0, 0, kScreenWidth, kToolbarHeight, 220);
  const int t = static_cast<int>(state.tool);
  Fill(sprites, kHighlight, 4 + t * 96, 2, 92, kToolbarHeight - 4, 120);
  Fill(sprites, kPanel, 0, kStatusY, kScreenWidth, kScreenHeight - kStatusY, 230);
}

Colour CellColour(const mapc::MapBinary& b, int c, int r) {
  bool walk = false, shot = false;
  for (int l = 0; l < b.Layers(); ++l) {
    walk = walk || b.Cell(l, c, r).walk == 1;
    shot = shot || b.Cell(l, c, r).shot == 1;
  }
  return shot ? kWall : walk ? kLow : kFloor;
}

void DrawMinimap(const MapDocument& doc, const EditorState& state, SpriteStore& sprites) {
  const mapc::CompiledMap& map = doc.preview();
  const mapc::MapBinary& b = map.binary;
  if (b.Columns() <= 0 || b.Rows() <= 0 || b.cells.empty()) return;
  const int scale = std::max(1, std::min(320 / b.Columns(), 240 / b.Rows()));
  const int w = b.Columns() * scale, h = b.Rows() * scale;
  const int x0 = kPaletteX - w - 8, y0 = kStatusY - h - 8;
  Fill(sprites, kBlack, x0 - 3, y0 - 3, w + 6, h + 6);
  for (int r = 0; r < b.Rows(); ++r) {
    for (int c = 0; c < b.Columns(); ++c) Fill(sprites, CellColour(b, c, r), x0 + c * scale, y0 + r * scale, scale, scale);
  }
  const float k = static_cast<float>(scale) / static_cast<float>(std::max(1, doc.TileSize()));
  auto dot = [&](int colour, int x, int y, int size) {
    Rect(sprites, colour, x0 + static_cast<int>(x * k) - size / 2, y0 + static_cast<int>(y * k) - size / 2, size, size);
  };
  for (const mapc::LightRecord& l : b.lights) dot(kLightColourBase + LightId(l.sprite), l.x + l.width / 2, l.y + l.height / 2, 3);
  for (const mapc::DoorRecord& d : b.doors) dot(kColourBase + kDoor, d.column * doc.TileSize() + doc.TileSize() / 2, d.row * doc.TileSize() + doc.TileSize() / 2, std::max(3, scale));
  for (const mapc::EnemyPlacement& e : map.enemies) dot(kColourBase + (e.type == 2 ? kTurret : kSoldier), e.x, e.y, 4);
  dot(kColourBase + kStart, b.startX, b.startY, 5);
  const int vx = x0 + static_cast<int>(state.camera.x * k), vy = y0 + static_cast<int>(state.camera.y * k);
  Frame(sprites, kView, vx, vy, static_cast<int>(kScreenWidth * k), static_cast<int>(kScreenHeight * k));
}

void DrawFillRectangle(const MapDocument& doc, const EditorState& state, SpriteStore& sprites) {
  if (!state.fillActive) return;
  const int tile = doc.TileSize();
  const Cell to = ScreenCell(state, tile, state.cursorX, state.cursorY);
  const int c0 = std::min(to.column, state.fillColumn), c1 = std::max(to.column, state.fillColumn);
  const int r0 = std::min(to.row, state.fillRow), r1 = std::max(to.row, state.fillRow);
  Frame(sprites, kHighlight, c0 * tile - state.camera.x, r0 * tile - state.camera.y, (c1 - c0 + 1) * tile,
        (r1 - r0 + 1) * tile);
}

void DrawSelection(const MapDocument& doc, const EditorState& state, SpriteStore& sprites) {
  if (!state.selecting && !state.selected) return;
  const int tile = doc.TileSize();
  const int c0 = std::min(state.selectColumn, state.selectColumn1), c1 = std::max(state.selectColumn, state.selectColumn1);
  const int r0 = std::min(state.selectRow, state.selectRow1), r1 = std::max(state.selectRow, state.selectRow1);
  const int x = c0 * tile - state.camera.x, y = r0 * tile - state.camera.y;
  Fill(sprites, kSelect, x, y, (c1 - c0 + 1) * tile, (r1 - r0 + 1) * tile, 40);
  Frame(sprites, kSelect, x, y, (c1 - c0 + 1) * tile, (r1 - r0 + 1) * tile);
}

}  // namespace

const char* ToolName(Tool tool) {
  static const char* kNames[kToolCount] = {"Paint", "Light", "Door", "Soldier", "Turret", "Start", "Remove"};
  return kNames[static_cast<int>(tool)];
}

void PrepareEditorSprites(SpriteStore& sprites) {
  for (int c = 0; c < kColours; ++c) {
    const uint32_t rgb = kColourRgb[c];
    PutColour(sprites, kColourBase + c, rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
  }
  // Each light's colour: the mean of its image weighted by brightness.
  for (int id = 0; id < 100; ++id) {
    const Image* image = sprites.FindImage(mapc::kLightSpriteBase + id);
    double sum[3] = {0, 0, 0}, weight = 0;
    if (image != nullptr && id > 0) {
      for (size_t i = 0; i + 3 < image->rgba.size(); i += 4) {
        const double w = (image->rgba[i] + image->rgba[i + 1] + image->rgba[i + 2]) * image->rgba[i + 3] / 255.0;
        for (int k = 0; k < 3; ++k) sum[k] += image->rgba[i + k] * w;
        weight += w;
      }
    }
    uint8_t rgb[3] = {255, 255, 160};
    if (weight > 0) {
      const double top = std::max({sum[0], sum[1], sum[2]}) / weight;
      for (int k = 0; k < 3; ++k) rgb[k] = static_cast<uint8_t>(std::min(255.0, sum[k] / weight * 255.0 / std::max(1.0, top)));
    }
    PutColour(sprites, kLightColourBase + id, rgb[0], rgb[1], rgb[2]);
  }
}

void BuildWorld(const MapDocument& doc, EditorWorld& world, SpriteStore& sprites, const Animations& animations) {
  Map& map = world.map;
  const mapc::CompiledMap& compiled = doc.preview();
  if (!doc.previewOk() || (world.revision == doc.revision() && map.tileSize != 0)) return;  // the last good picture stays
  world.revision = doc.revision();
  for (const mapc::TileEntry& t : compiled.tiles) {
    const int number = mapc::kTileSpriteBase + t.id;
    auto found = world.tileSprites.find(t.image);
    if (found != world.tileSprites.end() && found->second == number) continue;
    if (LoadAssetKeyed(sprites, number, "Data\\GFX\\TileSet\\" + t.image)) world.tileSprites[t.image] = number;
  }
  const mapc::MapBinary& b = compiled.binary;
  map.tileSize = b.tileSize;
  map.lastColumn = b.lastColumn;
  map.lastRow = b.lastRow;
  map.lastLayer = b.lastLayer;
  map.startX = b.startX;
  map.startY = b.startY;
  map.pixelWidth = b.lastColumn * b.tileSize;
  map.pixelHeight = b.lastRow * b.tileSize;
  ResizeMapArrays(map);
  map.layerAlpha.assign(static_cast<size_t>(b.Layers()), 255);
  for (int l = 0; l < b.Layers(); ++l) {
    for (int r = 0; r < b.Rows(); ++r) {
      for (int c = 0; c < b.Columns(); ++c) {
        const mapc::CellRecord& cell = b.Cell(l, c, r);
        map.cells[CellIndex(map, l, c, r)] = MapCell{cell.sprite, cell.walk, cell.shot, cell.material};
      }
    }
  }
  world.lights.clear();
  for (const mapc::LightRecord& l : b.lights) {
    world.lights.push_back(Light{l.sprite, l.x, l.y, l.width, l.height, l.angle, l.on});
  }
  world.doors.clear();
  for (const mapc::DoorRecord& d : b.doors) PlaceDoor(world.doors, map, animations, d.animationId, d.column, d.row);
}

Cell ScreenCell(const EditorState& state, int tileSize, int x, int y) {
  const int tile = std::max(1, tileSize);
  const int wx = x + state.camera.x, wy = y + state.camera.y;
  return Cell{wx >= 0 ? wx / tile : (wx - tile + 1) / tile, wy >= 0 ? wy / tile : (wy - tile + 1) / tile};
}

void DrawEditor(const MapDocument& doc, const EditorState& state, EditorWorld& world, SpriteStore& sprites,
                const Animations& animations, float now) {
  Map& map = world.map;
  map.camera = state.camera;
  if (map.tileSize != 0) {
    ComputeVisibleRange(map, ScreenExtraColumns(map.tileSize), ScreenExtraRows(map.tileSize));
    DrawLayer(map, sprites, 0);
    if (map.lastLayer >= 1) DrawLayer(map, sprites, 1);
    const Keyboard none;
    UpdateDoors(world.doors, map, animations, sprites, none);
    DrawLighting(world.timedLights, world.lights, sprites, map.camera, now, state.lighting);
  }
  if (state.grid) DrawGrid(state, map, sprites);
  DrawMarkers(doc, state, sprites);
  DrawFillRectangle(doc, state, sprites);
  DrawSelection(doc, state, sprites);
  const int tile = doc.TileSize();
  const Cell under = ScreenCell(state, tile, state.cursorX, state.cursorY);
  if (state.cursorX >= 0) Frame(sprites, kWhite, under.column * tile - state.camera.x, under.row * tile - state.camera.y, tile, tile);
  if (state.minimap) DrawMinimap(doc, state, sprites);
  DrawToolbar(state, sprites);
  DrawPalette(doc, state, world, sprites);
}

std::string StatusText(const MapDocument& doc, const EditorState& state) {
  const Cell cell = ScreenCell(state, doc.TileSize(), state.cursorX, state.cursorY);
  char text[256];
  const mapc::CompiledMap& map = doc.preview();
  if (state.cursorX < 0 || !map.binary.Inside(cell.column, cell.row) || map.binary.cells.empty()) {
    std::snprintf(text, sizeof text, "layer %d", state.layer);
    return text;
  }
  const std::string code0 = doc.CodeAt(0, cell.column, cell.row), code1 = doc.CodeAt(1, cell.column, cell.row);
  int walk = 0, shot = 0, material = 0;
  for (int l = 0; l < map.binary.Layers(); ++l) {
    const mapc::CellRecord& c = map.binary.Cell(l, cell.column, cell.row);
    walk = walk || c.walk == 1;
    shot = shot || c.shot == 1;
    if (c.material != 0) material = c.material;
  }
  std::snprintf(text, sizeof text, "cell %d,%d  layer0 '%s' layer1 '%s'  walk %d shot %d material %d  [layer %d]",
                cell.column, cell.row, code0.c_str(), code1.c_str(), walk, shot, material, state.layer);
  return text;
}

}  // namespace editor
