# Text: layout maths in core, FreeType and GL drawing in gl.
target_sources(sandlark_core PRIVATE
  render/TextLayout.cpp
)
target_sources(sandlark_gl PRIVATE
  render/TextRenderer.cpp
)
target_sources(sandlark_gl PRIVATE
  render/FramePasses.cpp
  render/helpers/PostProcessing.cpp
)
# Camera and lights: the maths in the core, the two uniform uploads in GL.
target_sources(sandlark_core PRIVATE
  render/Camera.cpp
  render/Light.cpp
)
target_sources(sandlark_gl PRIVATE
  render/CameraUniforms.cpp
  render/LightUniforms.cpp
)
