target_sources(sandlark_core PRIVATE
  app/Settings.cpp
  app/GameState.cpp
  app/Platform.cpp
  app/Input.cpp
  app/WindowTitle.cpp
  app/RenderToggles.cpp
  app/HudText.cpp
)
target_sources(sandlark_gl PRIVATE
  app/Startup.cpp
  app/GlfwInput.cpp
  app/LevelFlow.cpp
  app/Screens.cpp
  app/Shutdown.cpp
)
