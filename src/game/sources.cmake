target_sources(sandlark_core PRIVATE
  game/LevelRules.cpp
  game/PathFollower.cpp
  game/GameObject.cpp
  game/Crawler.cpp
  game/ProjectileSystem.cpp
  game/ParticleEmitter.cpp
  game/Terrain.cpp
)
target_sources(sandlark_gl PRIVATE
  game/LevelConstruction.cpp
  game/Gameplay.cpp
  game/TerrainImage.cpp
)
