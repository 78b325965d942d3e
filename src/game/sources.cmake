# The game world and its rules: all of it builds without OpenGL.
target_sources(sandlark_core PRIVATE
  game/Camera.cpp
  game/Crawler.cpp
  game/Flashes.cpp
  game/GameObject.cpp
  game/Gamepad.cpp
  game/Gameplay.cpp
  game/LevelConstruction.cpp
  game/LevelFiles.cpp
  game/LevelRules.cpp
  game/Light.cpp
  game/ParticleEmitter.cpp
  game/PathFollower.cpp
  game/ProjectileSystem.cpp
  game/Terrain.cpp
  game/TrackDust.cpp
  game/World.cpp
)
