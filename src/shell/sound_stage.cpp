#include "shell/sound_stage.h"

#include <cmath>

#include "player/player.h"
#include "base/files.h"
#include "base/input.h"
#include "shell/command_line.h"
#include "shell/json_writer.h"
#include "world/map.h"

namespace {

constexpr int32_t kFootfallFrames[] = {3, 8};

// Four decimals are plenty for a pan or a volume, and keep the log readable.
double Rounded(float value) {
  return std::round(static_cast<double>(value) * 10000.0) / 10000.0;
}

float Distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

bool OpenSoundStage(SoundStage& stage, SoundPlayer& player, const Options& options,
                    const std::string& program, std::string& error) {
  if (!options.soundLog.empty()) {
    stage.log = std::fopen(options.soundLog.c_str(), "wb");
    if (stage.log == nullptr) {
      error = "cannot write the sound log \"" + options.soundLog + "\"";
      return false;
    }
  }
  stage.muted = options.mute;
  std::string note;
  if (options.headless) {
    note = "no sound is played in a headless run";
  } else if (!player.Open(!options.verbose)) {
    note = player.error() + "; no sound is played";
  } else {
    stage.player = &player;
    player.SetMuted(stage.muted);
    const std::string missing = LoadSounds(player);
    if (!missing.empty()) note = "cannot load the sounds " + missing;
  }
  if (options.verbose && !note.empty()) std::fprintf(stderr, "%s: %s\n", program.c_str(), note.c_str());
  return true;
}

bool CloseSoundStage(SoundStage& stage) {
  bool ok = !stage.logFailed;
  if (stage.log != nullptr && std::fclose(stage.log) != 0) ok = false;
  stage.log = nullptr;
  return ok;
}

std::string SoundLogLine(uint64_t frame, SoundId id, const SoundPlacement& placement) {
  JsonWriter json;
  json.BeginObject()
      .Field("frame", static_cast<int64_t>(frame))
      .Field("sound", std::string_view(SoundName(id)))
      .Field("pan", Rounded(placement.pan))
      .Field("volume", Rounded(placement.volume))
      .EndObject();
  return json.Take();
}

std::string LoadSounds(SoundPlayer& player) {
  std::string failed;
  for (int i = 0; i < kSoundCount; ++i) {
    const char* name = SoundName(static_cast<SoundId>(i));
    if (player.Load(static_cast<size_t>(i), HostPath(std::string("Data\\Sound\\") + name + ".wav"))) continue;
    if (!failed.empty()) failed += ' ';
    failed += name;
  }
  return failed;
}

void HandleSoundKeys(SoundStage& stage, const Keyboard& keyboard) {
  if (!keyboard.Released(kMuteKey)) return;
  stage.muted = !stage.muted;
  if (stage.player != nullptr) stage.player->SetMuted(stage.muted);
}

void PlaySoundCues(SoundStage& stage, uint64_t frame, float listenerX, float listenerY,
                   const Camera& camera) {
  for (const SoundCue& cue : stage.cues.list) {
    const float screenX = cue.x - static_cast<float>(camera.x);
    const SoundPlacement placement =
        PlaceSound(screenX, Distance(cue.x, cue.y, listenerX, listenerY), SoundGain(cue.id));
    if (!placement.audible) continue;
    if (stage.player != nullptr && !stage.muted) {
      stage.player->Play(static_cast<size_t>(cue.id), placement.pan, placement.volume);
    }
    if (stage.log != nullptr) {
      const std::string line = SoundLogLine(frame, cue.id, placement) + "\n";
      if (std::fwrite(line.data(), 1, line.size(), stage.log) != line.size()) stage.logFailed = true;
    }
  }
  stage.cues.list.clear();
}

void CueFootstep(const Player& player, int32_t legsFrameBefore, SoundCues* cues) {
  const int32_t frame = player.legs.frame;
  if (player.walkCode == 0.0f || frame == legsFrameBefore) return;
  for (int32_t footfall : kFootfallFrames) {
    if (frame == footfall) CueSound(cues, SoundId::kFootstep, player.x, player.y);
  }
}
