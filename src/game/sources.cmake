target_sources(sandlark_core PRIVATE
  game/LevelRules.cpp
)
target_sources(sandlark_gl PRIVATE
  game/LevelConstruction.cpp
  game/Gameplay.cpp
)
