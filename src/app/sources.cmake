# The words and numbers the shell shows (screen lines, clock, title) and the
# records kept between runs are plain computations in the core; the window,
# the loop, the screens and the clean-up need OpenGL and GLFW.
target_sources(sandlark_core PRIVATE
  app/Configuration.cpp
  app/GamepadMappings.cpp
  app/HudText.cpp
  app/Records.cpp
  app/WindowTitle.cpp
)
target_sources(sandlark_gl PRIVATE
  app/Game.cpp
  app/GlfwInput.cpp
  app/LevelFlow.cpp
  app/Overlay.cpp
  app/Screens.cpp
  app/Screenshot.cpp
  app/Shutdown.cpp
  app/Startup.cpp
)
