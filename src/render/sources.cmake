# Camera, lights and text layout are maths: they live in the core. Their uploads,
# the glyph textures and the passes touch OpenGL.
target_sources(sandlark_core PRIVATE
  render/Camera.cpp
  render/Light.cpp
  render/TextLayout.cpp
)
target_sources(sandlark_gl PRIVATE
  render/CameraUniforms.cpp
  render/LightUniforms.cpp
  render/TextRenderer.cpp
  render/FramePasses.cpp
  render/helpers/PostProcessing.cpp
)
