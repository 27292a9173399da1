// One drawing function per family of images; each appends its images to the list
// with the exact file names the game loads.
#pragma once

#include "gfx_tree.h"

namespace art {

void AddHudIcons(ImageList& list);       // GFX/HUD: icons, prompts, emblems, crosshair
void AddHudText(ImageList& list);        // GFX/HUD: digits, "Ready", "Reloading", bars, debug panel
void AddSoldiers(ImageList& list);       // GFX/Player bodies, GFX/Enemy soldier
void AddTurret(ImageList& list);         // GFX/Enemy/Enemy 000.png
void AddLegs(ImageList& list);           // GFX/Animation/Legs
void AddParticles(ImageList& list);      // GFX/Particle
void AddLights(ImageList& list);         // GFX/Light
void AddItems(ImageList& list);          // GFX/Item
void AddFloors(ImageList& list);         // GFX/TileSet floors
void AddWalls(ImageList& list);          // GFX/TileSet walls
void AddDecos(ImageList& list);          // GFX/TileSet layer-1 overlays
void AddDoors(ImageList& list);          // GFX/Animation/Doors
void AddEmbedded(ImageList& list);       // banner.png, credits.png
void AddIcons(ImageList& list);          // <size>x<size>/apps/vexmoor.png

// The emblem of the HUD (GFX/HUD/Korv.png at 256), size x size; the icon is built on it.
Canvas DrawEmblem(int size);

}  // namespace art
