#include "shell/state_json.h"

#include <cstring>

#include "shell/json_writer.h"

namespace {

using I = int64_t;
using D = double;

void WriteMap(JsonWriter& json, const Map& map) {
  const std::string headerText(map.headerText.data(), strnlen(map.headerText.data(), map.headerText.size()));
  json.BeginObject("map")
      .Field("headerValue", D{map.headerValue})
      .Field("headerText", headerText)
      .Field("tileSetFile", map.tileSetFile)
      .Field("tileSize", I{map.tileSize})
      .Field("lastLayer", I{map.lastLayer})
      .Field("lastColumn", I{map.lastColumn})
      .Field("lastRow", I{map.lastRow})
      .Field("pixelWidth", I{map.pixelWidth})
      .Field("pixelHeight", I{map.pixelHeight})
      .Field("startX", I{map.startX})
      .Field("startY", I{map.startY})
      .Field("firstVisibleColumn", I{map.firstVisibleColumn})
      .Field("firstVisibleRow", I{map.firstVisibleRow})
      .Field("lastVisibleColumn", I{map.lastVisibleColumn})
      .Field("lastVisibleRow", I{map.lastVisibleRow})
      .Field("prompt", I{map.prompt})
      .EndObject();
  json.BeginObject("camera").Field("x", I{map.camera.x}).Field("y", I{map.camera.y}).EndObject();
}

void WriteDoors(JsonWriter& json, const Map& map, const std::vector<Door>& doors) {
  json.BeginArray("doors");
  for (const Door& door : doors) {
    json.BeginObject()
        .Field("column", I{door.column})
        .Field("row", I{door.row})
        .Field("x", I{door.x})
        .Field("y", I{door.y})
        .Field("state", I{door.state})
        .Field("animationId", I{door.animationId})
        .Field("frame", I{door.animation.frame})
        .Field("walkBlocked", IsWalkBlocked(map, door.column, door.row))
        .Field("shotBlocked", IsShotBlocked(map, door.column, door.row))
        .EndObject();
  }
  json.EndArray();
}

// The fields placed lights and timed flashes share.
template <typename AnyLight>
JsonWriter& LightFields(JsonWriter& json, const AnyLight& light) {
  return json.Field("sprite", I{light.sprite})
      .Field("x", I{light.x})
      .Field("y", I{light.y})
      .Field("width", I{light.width})
      .Field("height", I{light.height})
      .Field("angle", I{light.angle});
}

void WriteLights(JsonWriter& json, const std::vector<Light>& lights, const std::vector<TimedLight>& timed) {
  json.BeginArray("lights");
  for (const Light& light : lights) {
    LightFields(json.BeginObject(), light).Field("on", I{light.on}).EndObject();
  }
  json.EndArray();
  json.BeginArray("timedLights");
  for (const TimedLight& light : timed) {
    LightFields(json.BeginObject(), light).Field("expiresAt", D{light.expiresAt}).EndObject();
  }
  json.EndArray();
}

void WritePlayer(JsonWriter& json, const Player& player, const WeaponTable& weapons) {
  json.BeginObject("player")
      .Field("x", D{player.x})
      .Field("y", D{player.y})
      .Field("aim", D{player.aim})
      .Field("frontX", D{player.frontX})
      .Field("frontY", D{player.frontY})
      .Field("walkCode", D{player.walkCode})
      .Field("health", I{player.health})
      .Field("armour", I{player.armour})
      .Field("slot", I{player.slot})
      .Field("bodySprite", I{player.bodySprite})
      .Field("bodyWidth", I{player.bodyWidth})
      .Field("weaponState", I{player.weaponState})
      .Field("busyUntil", D{player.busyUntil})
      .Field("reloadStart", D{player.reloadStart})
      .Field("muzzleX", D{player.muzzleX})
      .Field("muzzleY", D{player.muzzleY})
      .Field("legsFrame", I{player.legs.frame})
      .Field("flashlight", I{player.flashlight});
  json.BeginArray("weapons");
  for (int row : player.weapons) {
    if (row < 0 || row >= kWeaponRows) {
      json.BeginObject().EndObject();
      continue;
    }
    const Weapon& weapon = weapons[static_cast<size_t>(row)];
    json.BeginObject()
        .Field("row", I{row})
        .Field("id", I{weapon.id})
        .Field("magazine", I{weapon.magazine})
        .Field("reserve", I{weapon.reserve})
        .EndObject();
  }
  json.EndArray().EndObject();
}

void WriteMouse(JsonWriter& json, const MouseState& mouse) {
  json.BeginObject("mouse")
      .Field("source", I{mouse.source})
      .Field("screenX", I{mouse.screenX})
      .Field("screenY", I{mouse.screenY})
      .Field("worldX", I{mouse.worldX})
      .Field("worldY", I{mouse.worldY})
      .Field("cellX", I{mouse.cellX})
      .Field("cellY", I{mouse.cellY})
      .Field("leftDown", I{mouse.leftDown})
      .Field("rightDown", I{mouse.rightDown})
      .Field("leftClick", I{mouse.leftClick})
      .Field("rightClick", I{mouse.rightClick})
      .EndObject();
}

void WriteProjectiles(JsonWriter& json, const BulletList& bullets, const GrenadeList& grenades) {
  json.BeginArray("bullets");
  for (const Bullet& b : bullets) {
    json.BeginObject()
        .Field("x", D{b.x})
        .Field("y", D{b.y})
        .Field("angle", D{b.angle})
        .Field("rangeLeft", I{b.rangeLeft})
        .Field("extraSteps", I{b.extraSteps})
        .EndObject();
  }
  json.EndArray();
  json.BeginArray("grenades");
  for (const Grenade& g : grenades) {
    json.BeginObject()
        .Field("x", D{g.x})
        .Field("y", D{g.y})
        .Field("speed", D{g.speed})
        .Field("dirX", D{g.dirX})
        .Field("dirY", D{g.dirY})
        .Field("detonateAt", D{g.detonateAt})
        .EndObject();
  }
  json.EndArray();
}

void WriteParticles(JsonWriter& json, const ParticleSystem& particles) {
  json.BeginObject("particles")
      .Field("alpha", static_cast<I>(particles.alphaParticles.size()))
      .Field("additive", static_cast<I>(particles.additiveParticles.size()))
      .Field("nextTickAlpha", D{particles.settings.nextTickAlpha})
      .Field("nextTickAdditive", D{particles.settings.nextTickAdditive})
      .EndObject();
}

void WriteEnemies(JsonWriter& json, const EnemyList& list) {
  json.BeginArray("enemies");
  for (const Enemy& e : list.enemies) {
    int row = 0;
    if (e.kind == kEnemyWalker) row = kSoldierRow;
    if (e.kind == kEnemyTurret) row = kTurretRow;
    json.BeginObject()
        .Field("type", I{row})
        .Field("kind", I{e.kind})
        .Field("x", D{e.x})
        .Field("y", D{e.y})
        .Field("heading", D{e.heading})
        .Field("health", I{e.health})
        .Field("hasPath", I{e.hasPath})
        .Field("path", PathText(e.path))
        .Field("waypointX", D{e.waypointX})
        .Field("waypointY", D{e.waypointY})
        .Field("nextShot", D{e.nextShot})
        .Field("nextPlan", D{e.nextPlan})
        .EndObject();
  }
  json.EndArray();
  json.Field("hoveredEnemy", I{list.hoveredEnemy});
}

}  // namespace

std::string StateJson(const Game& game) {
  JsonWriter json;
  json.BeginObject()
      .Field("frame", static_cast<I>(game.frame))
      .Field("now", D{game.now})
      .Field("mapName", game.mapName)
      .Field("displayMode", I{game.displayMode});
  json.BeginObject("toggles")
      .Field("lightingOn", I{game.toggles.lightingOn})
      .Field("filteringOn", I{game.toggles.filteringOn})
      .Field("debugOverlayOn", I{game.toggles.debugOverlayOn})
      .EndObject();
  json.Field("quitRequested", I{game.quitRequested});
  WriteMap(json, game.map);
  WritePlayer(json, game.player, game.weapons);
  WriteMouse(json, game.mouse);
  WriteDoors(json, game.map, game.doors);
  WriteLights(json, game.lights, game.timedLights);
  WriteProjectiles(json, game.bullets, game.grenades);
  WriteParticles(json, game.particles);
  WriteEnemies(json, game.enemies);
  json.EndObject();
  return json.Take() + "\n";
}
